#include "desktop_tools.h"

#include "posix_io.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>

namespace clipnest {
namespace {

constexpr std::string_view kStart = "cmd /X /C start ";
// How long the desktop may take to name its default application, at most.
constexpr int kQueryMilliseconds = 1500;

const std::vector<std::string> kTextEditors = {
    "gnome-text-editor", "gedit",  "kate", "kwrite", "mousepad", "xed", "pluma",
    "featherpad",        "leafpad"};
const std::vector<std::string> kPaintPrograms = {"kolourpaint", "pinta", "drawing", "mtpaint",
                                                 "gimp"};
const std::vector<std::string> kCalculators = {"gnome-calculator", "kcalc",     "galculator",
                                               "qalculate-gtk",    "mate-calc", "xcalc"};

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The desktop's default application for a type, as the desktop file id xdg-mime names.
std::string DefaultApplication(const char* mime_type) {
  auto xdg_mime = FindProgram("xdg-mime");
  if (!xdg_mime) return {};
  QProcess query;
  query.setStandardInputFile(QProcess::nullDevice());
  query.setStandardErrorFile(QProcess::nullDevice());
  query.start(QString::fromStdString(*xdg_mime),
              {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(mime_type)});
  if (!query.waitForFinished(kQueryMilliseconds)) {
    query.kill();
    query.waitForFinished(100);
    return {};
  }
  return query.readAllStandardOutput().trimmed().left(1024).toStdString();
}

// The desktop file of an id, looked for where the desktop keeps them.
std::optional<std::string> DesktopFile(const std::string& id) {
  if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
  std::vector<std::string> folders;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data_home && *data_home)
    folders.push_back(data_home);
  else if (home && *home)
    folders.push_back(std::string(home) + "/.local/share");
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  std::string dirs = data_dirs && *data_dirs ? data_dirs : "/usr/local/share:/usr/share";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t colon = dirs.find(':', start);
    const std::size_t end = colon == std::string::npos ? dirs.size() : colon;
    if (end > start) folders.push_back(dirs.substr(start, end - start));
    start = end + 1;
  }
  for (const std::string& folder : folders) {
    const std::string path = folder + "/applications/" + id;
    if (::access(path.c_str(), R_OK) == 0) return path;
  }
  return std::nullopt;
}

// The Exec line of a desktop file's main entry.
std::optional<std::string> ExecLine(const std::string& desktop_file) {
  std::string text;
  if (!ReadAll(desktop_file, text, 1 << 20)) return std::nullopt;
  bool main_entry = false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      main_entry = line == "[Desktop Entry]";
    } else if (main_entry && line.starts_with("Exec=")) {
      return std::string(line.substr(5));
    }
  }
  return std::nullopt;
}

std::optional<LocalCommand> FirstInstalled(const std::vector<std::string>& names,
                                           std::vector<std::string> arguments = {}) {
  for (const std::string& name : names) {
    if (auto program = FindProgram(name)) return LocalCommand{*program, std::move(arguments)};
  }
  return std::nullopt;
}

std::optional<LocalCommand> TextEditor() {
  if (auto file = DesktopFile(DefaultApplication("text/plain"))) {
    if (auto exec = ExecLine(*file)) {
      std::vector<std::string> command = ExecCommand(*exec);
      if (!command.empty()) {
        if (auto program = FindProgram(command.front())) {
          command.erase(command.begin());
          return LocalCommand{*program, std::move(command)};
        }
      }
    }
  }
  return FirstInstalled(kTextEditors);
}

// The help file with the desktop's CHM viewer; without one, the same help as a web page.
std::optional<LocalCommand> HelpFile(const std::string& chm_name) {
  auto xdg_open = FindProgram("xdg-open");
  if (!xdg_open) return std::nullopt;
  std::string file = chm_name;
  if (DefaultApplication("application/vnd.ms-htmlhelp").empty()) {
    file = chm_name.substr(0, chm_name.size() - 4) + ".html";
  }
  return LocalCommand{*xdg_open, {file}};
}

}  // namespace

std::optional<std::string> FindProgram(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  const char* path = std::getenv("PATH");
  const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t colon = folders.find(':', start);
    const std::size_t end = colon == std::string::npos ? folders.size() : colon;
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::vector<std::string> ExecCommand(std::string_view exec_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec_line.size(); ++i) {
    const char c = exec_line[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec_line.size()) {
        word += exec_line[++i];
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else if (c == '%' && i + 1 < exec_line.size()) {
      // Field codes stand for files and other things the program does not pass; "%%" is "%".
      if (exec_line[++i] == '%') {
        word += '%';
        in_word = true;
      }
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

std::optional<LocalCommand> LocalCommandFor(std::string_view windows_command_line) {
  if (!windows_command_line.starts_with(kStart)) return std::nullopt;
  const std::string target(windows_command_line.substr(kStart.size()));
  if (target == "notepad.exe") return TextEditor();
  if (target == "mspaint.exe") return FirstInstalled(kPaintPrograms);
  if (target == "calc.exe") return FirstInstalled(kCalculators);
  if (target.size() > 4 && target.ends_with(".chm")) return HelpFile(target);
  return std::nullopt;
}

}  // namespace clipnest
