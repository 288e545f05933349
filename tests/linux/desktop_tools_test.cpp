// The user's tools, the help and the links on a desktop in a folder, and how they are started.
#include "platform/linux/desktop/desktop_tools.h"
#include "forms/form.h"
#include "forms/window_system.h"
#include "platform/linux/desktop/desktop_shell.h"
#include "platform/linux/posix/detached_start.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace clipnest::linux_backend {
namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;

using namespace std::chrono_literals;

// PATH holds only the desktop's bin folder, XDG_DATA_HOME its desktop files. Each tool installed
// writes a line to the log when it starts: "name [argument]...".
class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() {
    for (const char* sub : {"bin", "my tools", "share", "share/applications"})
      ::mkdir((folder / sub).c_str(), 0700);
    ::setenv("PATH", (folder / "bin").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "share").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (folder / "none").c_str(), 1);
    WriteBytes(folder / "log", "");
  }
  ~DesktopTest() override { ::setenv("PATH", saved_path_.c_str(), 1); }

  std::string Install(const std::string& name, const std::string& script = "") {
    const std::string path = folder / name;
    WriteBytes(path, "#!/bin/sh\n" + script +
                         "\nline=${0##*/}; for a; do line=\"$line [$a]\"; done\n" +
                         "echo \"$line\" >>'" + (folder / "log") + "'\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
  // The next line of the log, as soon as a tool wrote it (the wait is bounded).
  std::string NextStarted() {
    std::string log;
    for (int i = 0; i < 500 && log.empty(); ++i, std::this_thread::sleep_for(20ms))
      log = ReadBytes(folder / "log");
    WriteBytes(folder / "log", "");
    return log.substr(0, log.find('\n'));
  }

  test_support::TempFolder folder;
  const std::string saved_path_ = std::getenv("PATH");
};

TEST_F(DesktopTest, TheDesktopsDefaultEditorElseTheFirstInstalledToolOfEachKindStarts) {
  for (const char* name : {"mousepad", "leafpad", "gimp", "mtpaint", "xcalc", "galculator"})
    Install(std::string("bin/") + name);
  auto started = [this](Tool tool) { return DesktopTools().Launch(tool), NextStarted(); };
  EXPECT_EQ(started(Tool::kTextEditor), "mousepad");
  EXPECT_EQ(started(Tool::kPaint), "mtpaint");
  EXPECT_EQ(started(Tool::kCalculator), "galculator");
  const std::string editor = Install("my tools/my-editor");
  WriteBytes(
      folder / "share/applications/my.desktop",
      "[Desktop Entry]\nExec=\"" + editor + "\" --new-window %U\n[Desktop Action x]\nExec=x\n");
  // xdg-mime answers only when the test has written to its FIFO, after Launch returned.
  const std::string fifo = folder / "answer";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  Install("bin/xdg-mime", "read go <'" + fifo + "'; echo my.desktop; exit");
  DesktopTools().Launch(Tool::kTextEditor);
  const int answer = ::open(fifo.c_str(), O_RDWR);
  EXPECT_EQ(::write(answer, "\n", 1), 1);
  EXPECT_EQ(NextStarted(), "my-editor [--new-window]");
  ::close(answer);
}

struct NoWindows : WindowSystem {
  std::unique_ptr<FormView> CreateView(Form&) override { return nullptr; }
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
};

TEST_F(DesktopTest, PagesMailAndHelpOpenWithTheDesktopsHandler) {
  Install("bin/xdg-open");
  Install("bin/xdg-mime", "exit");  // no viewer of compiled help
  NoWindows windows;
  const Form owner(windows, "Form2", FormStyle::kFixedToolWindow, 1500, 1500);
  DesktopShell shell;
  shell.OpenWebPage(owner, "http://clipnest.org");
  EXPECT_EQ(NextStarted(), "xdg-open [http://clipnest.org]");
  shell.ComposeMail(owner, "mail@clipnest.org", "Clipnest v1.0");
  EXPECT_EQ(NextStarted(), "xdg-open [mailto:mail@clipnest.org?Subject=Clipnest v1.0]");
  shell.OpenHelp();
  EXPECT_EQ(NextStarted(), "xdg-open [Help.html]");
  Install("bin/xdg-mime", "[ \"$3\" = application/vnd.ms-htmlhelp ] && echo chm.desktop; exit");
  shell.OpenHelp();
  EXPECT_EQ(NextStarted(), "xdg-open [Help.chm]");
}

TEST_F(DesktopTest, AStartedToolRunsDetachedWithNothingOfThisProgram) {
  const int inherited = ::open(folder.path().c_str(), O_RDONLY);  // not close-on-exec
  // The tool logs its process id and stays, for the test to look at it.
  StartDetached(Install("bin/tool", "[ \"$1\" = argument ] && echo $$ >>'" + (folder / "log") +
                                        "' && exec /bin/sleep 5"),
                {"argument"});
  ::close(inherited);
  const std::string pid = NextStarted(), proc = "/proc/" + pid;
  for (int i = 0; i < 500 && ReadBytes(proc + "/comm") != "sleep\n"; ++i)
    std::this_thread::sleep_for(20ms);
  std::vector<std::string> open_files;
  for (const std::string& fd : test_support::TempFolder::EntriesOf(proc + "/fd"))
    open_files.push_back(fd + "=" + std::filesystem::read_symlink(proc + "/fd/" + fd).string());
  EXPECT_THAT(open_files, ::testing::ElementsAre("0=/dev/null", "1=/dev/null", "2=/dev/null"));
  // A session of its own, and nothing left for this program to reap.
  EXPECT_NE(::getsid(std::stoi(pid)), ::getsid(0));
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  ::kill(std::stoi(pid), SIGKILL);
}

}  // namespace
}  // namespace clipnest::linux_backend
