// The desktop's own tools in place of the Windows command lines, and how they are started.
#include "platform/linux/desktop_tools.h"
#include "platform/linux/detached_start.h"
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

namespace clipnest {
namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;
using ::testing::ElementsAre;

// A desktop in a folder: PATH holds only its programs, XDG_DATA_HOME its desktop files.
class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() {
    ::mkdir((folder / "bin").c_str(), 0700);
    ::mkdir((folder / "share").c_str(), 0700);
    ::mkdir((folder / "share/applications").c_str(), 0700);
    saved_path_ = std::getenv("PATH");
    ::setenv("PATH", (folder / "bin").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "share").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (folder / "none").c_str(), 1);
  }
  ~DesktopTest() override { ::setenv("PATH", saved_path_.c_str(), 1); }

  std::string Install(const std::string& name, const std::string& script = "exit 0") {
    const std::string path = folder / ("bin/" + name);
    WriteBytes(path, "#!/bin/sh\n" + script + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
  // xdg-mime that names a default application for one type.
  void DefaultFor(const std::string& mime_type, const std::string& desktop_id) {
    Install("xdg-mime", "[ \"$3\" = '" + mime_type + "' ] && echo " + desktop_id);
  }
  std::string ProgramFor(const char* command_line) {
    auto command = LocalCommandFor(command_line);
    return command ? command->program : "";
  }

  test_support::TempFolder folder;

 private:
  std::string saved_path_;
};

TEST_F(DesktopTest, TheTextEditorIsTheDesktopsDefaultForPlainText) {
  const std::string editor = Install("my-editor");
  Install("gedit");
  DefaultFor("text/plain", "my.desktop");
  WriteBytes(folder / "share/applications/my.desktop",
             "[Desktop Entry]\nName=Editor\nExec=my-editor --new-window %U\n"
             "[Desktop Action x]\nExec=other\n");
  auto command = LocalCommandFor("cmd /X /C start notepad.exe");
  ASSERT_TRUE(command);
  EXPECT_EQ(command->program, editor);
  EXPECT_THAT(command->arguments, ElementsAre("--new-window"));
}

TEST_F(DesktopTest, WithoutADefaultTheFirstInstalledToolOfEachKindStarts) {
  EXPECT_EQ(ProgramFor("cmd /X /C start notepad.exe"), "");
  EXPECT_EQ(ProgramFor("cmd /X /C start mspaint.exe"), "");
  const std::string mousepad = Install("mousepad");
  Install("leafpad");
  Install("gimp");
  const std::string mtpaint = Install("mtpaint");
  Install("xcalc");
  const std::string galculator = Install("galculator");
  EXPECT_EQ(ProgramFor("cmd /X /C start notepad.exe"), mousepad);
  EXPECT_EQ(ProgramFor("cmd /X /C start mspaint.exe"), mtpaint);
  EXPECT_EQ(ProgramFor("cmd /X /C start calc.exe"), galculator);
  EXPECT_EQ(ProgramFor("cmd /X /C start evil.exe"), "");
  EXPECT_EQ(ProgramFor("notepad.exe"), "");
}

TEST_F(DesktopTest, TheHelpOpensAsAWebPageWhereNothingShowsCompiledHelp) {
  const std::string xdg_open = Install("xdg-open");
  Install("xdg-mime");
  auto help = LocalCommandFor("cmd /X /C start Help.chm");
  ASSERT_TRUE(help);
  EXPECT_EQ(help->program, xdg_open);
  EXPECT_THAT(help->arguments, ElementsAre("Help.html"));
  DefaultFor("application/vnd.ms-htmlhelp", "chm-viewer.desktop");
  EXPECT_THAT(LocalCommandFor("cmd /X /C start Help.chm")->arguments, ElementsAre("Help.chm"));
}

TEST(ExecCommandTest, FieldCodesGoAndQuotesHoldBlanks) {
  EXPECT_THAT(ExecCommand("gedit %U"), ElementsAre("gedit"));
  EXPECT_THAT(ExecCommand("\"/opt/My Editor/ed\" --x=100%% %f"),
              ElementsAre("/opt/My Editor/ed", "--x=100%"));
}

TEST_F(DesktopTest, AStartedToolRunsDetachedWithNothingOfThisProgram) {
  const std::string pid_file = folder / "pid";
  // PATH holds only the desktop's folder here: the tool names its own programs in full.
  const std::string tool =
      Install("tool", "[ \"$1\" = argument ] && echo $$ >" + pid_file + ".part && /bin/mv " +
                          pid_file + ".part " + pid_file + " && exec /bin/sleep 5");
  const std::string marker = folder / "marker";
  WriteBytes(marker, "");
  const int inherited = ::open(marker.c_str(), O_RDONLY);  // not close-on-exec
  StartDetached(tool, {"argument"});
  ::close(inherited);
  for (int i = 0; i < 100 && ::access(pid_file.c_str(), F_OK) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::string pid = ReadBytes(pid_file).substr(0, ReadBytes(pid_file).find('\n'));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the exec of sleep
  const std::string proc = "/proc/" + pid;
  std::vector<std::string> open_files;
  for (const std::string& fd : test_support::TempFolder::EntriesOf(proc + "/fd")) {
    char target[4096] = {};
    ::readlink((proc + "/fd/" + fd).c_str(), target, sizeof target - 1);
    open_files.push_back(fd + "=" + target);
  }
  EXPECT_THAT(open_files, ElementsAre("0=/dev/null", "1=/dev/null", "2=/dev/null"));
  // A session of its own, and nothing left for this program to reap.
  EXPECT_NE(::getsid(std::stoi(pid)), ::getsid(0));
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  ::kill(std::stoi(pid), SIGKILL);
}

}  // namespace
}  // namespace clipnest
