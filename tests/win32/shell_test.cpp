// What the tools, the help and the links hand over to Windows, recorded instead of run.
#include "forms/form.h"
#include "platform/win32/win32_form_view.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace clipnest::win32 {
namespace {

using ::testing::ElementsAre;

TEST(ShellTest, ToolsHelpPagesAndMailGoToWindowsWithTheirExactArguments) {
  Win32WindowSystem windows(GetModuleHandleW(nullptr));
  Form owner(windows, "Form2", FormStyle::kFixedToolWindow, 1500, 1500);
  owner.Create();
  ASSERT_NE(HwndOf(&owner), nullptr);
  std::vector<std::string> asked;
  const Handover recorder{
      .start_hidden = [&](const std::string& command) { asked.push_back(command); },
      .shell_execute =
          [&](HWND window, const std::string& operation, const std::string& file,
              const std::string& parameters, const std::string& directory, int show) {
            asked.push_back((window == HwndOf(&owner) ? "owner|" : "other|") + operation + "|" +
                            file + "|" + parameters + "|" + directory + "|" + std::to_string(show));
          }};
  Win32Tools tools(recorder);
  for (Tool tool : {Tool::kTextEditor, Tool::kPaint, Tool::kCalculator}) tools.Launch(tool);
  Win32Shell shell(recorder);
  shell.OpenHelp();
  shell.OpenWebPage(owner, "http://clipnest.org");
  shell.ComposeMail(owner, "mail@clipnest.org", "Clipnest v1.0");
  EXPECT_THAT(asked, ElementsAre("cmd /X /C start notepad.exe", "cmd /X /C start mspaint.exe",
                                 "cmd /X /C start calc.exe", "cmd /X /C start Help.chm",
                                 "owner|open|http://clipnest.org|0|0|5",
                                 "owner|Open|mailto:mail@clipnest.org?Subject=Clipnest v1.0|||1"));
}

}  // namespace
}  // namespace clipnest::win32
