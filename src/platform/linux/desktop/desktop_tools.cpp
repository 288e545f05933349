#include "platform/linux/desktop/desktop_tools.h"

#include "platform/linux/posix/detached_start.h"
#include "platform/linux/posix/posix_io.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <string_view>
#include <system_error>
#include <thread>

namespace clipnest::linux_backend {
namespace {

// How long the desktop may take to name its default application, at most.
constexpr int kQueryMilliseconds = 1500;

const std::vector<std::string> kTextEditors = {
    "gnome-text-editor", "gedit",  "kate", "kwrite", "mousepad", "xed", "pluma",
    "featherpad",        "leafpad"};
const std::vector<std::string> kPaintPrograms = {"kolourpaint", "pinta", "drawing", "mtpaint",
                                                 "gimp"};
const std::vector<std::string> kCalculators = {"gnome-calculator", "kcalc",     "galculator",
                                               "qalculate-gtk",    "mate-calc", "xcalc"};

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

// The words of an Exec line, without its field codes.
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

std::optional<LocalCommand> FirstInstalled(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (auto program = FindProgram(name)) return LocalCommand{*program, {}};
  }
  return std::nullopt;
}

std::optional<LocalCommand> TextEditor() {
  const std::string id = DefaultApplication("text/plain");
  const QString file = id.empty() || id.find('/') != std::string::npos
                           ? QString()
                           : QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                    QString::fromStdString(id));
  if (!file.isEmpty()) {
    if (auto exec = ExecLine(file.toStdString())) {
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

}  // namespace

void FindAndStart(std::function<std::optional<LocalCommand>()> find) {
  try {
    std::thread([find = std::move(find)] {
      if (auto command = find()) StartDetached(command->program, command->arguments);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the tool does not start, as when none is installed.
  }
}

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

std::optional<std::string> FindProgram(const std::string& name) {
  if (name.empty()) return std::nullopt;
  const QString found = QStandardPaths::findExecutable(QString::fromStdString(name));
  if (found.isEmpty()) return std::nullopt;
  return found.toStdString();
}

void DesktopTools::Launch(Tool tool) {
  switch (tool) {
    case Tool::kTextEditor:
      return FindAndStart(TextEditor);
    case Tool::kPaint:
      return FindAndStart([] { return FirstInstalled(kPaintPrograms); });
    case Tool::kCalculator:
      return FindAndStart([] { return FirstInstalled(kCalculators); });
  }
}

}  // namespace clipnest::linux_backend
