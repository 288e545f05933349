#include "platform/win32/win32_shell.h"

#include "platform/win32/win32_form_view.h"
#include "platform/win32/win32_text.h"

#include <shellapi.h>

namespace clipnest::win32 {
namespace {

void StartHidden(const std::string& command_line) {
  std::wstring command = Widen(command_line);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  // A console program (the command interpreter) gets no console window at all.
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void ShellExecuteAnsi(HWND owner, const std::string& operation, const std::string& file,
                      const std::string& parameters, const std::string& directory, int show) {
  ShellExecuteA(owner, operation.c_str(), file.c_str(), parameters.c_str(), directory.c_str(),
                show);
}

}  // namespace

Handover Handover::ToWindows() {
  return {.start_hidden = StartHidden, .shell_execute = ShellExecuteAnsi};
}

// The command interpreter's "start" finds each tool as Windows finds it.
void Win32Tools::Launch(Tool tool) {
  switch (tool) {
    case Tool::kTextEditor:
      return handover_.start_hidden("cmd /X /C start notepad.exe");
    case Tool::kPaint:
      return handover_.start_hidden("cmd /X /C start mspaint.exe");
    case Tool::kCalculator:
      return handover_.start_hidden("cmd /X /C start calc.exe");
  }
}

void Win32Shell::OpenWebPage(const Form& owner, std::string_view url) {
  handover_.shell_execute(HwndOf(&owner), "open", ToAnsiLossy(url), "0", "0", 5);
}

// The subject goes as it is, blanks included.
void Win32Shell::ComposeMail(const Form& owner, std::string_view address,
                             std::string_view subject) {
  std::string mail = "mailto:";
  mail.append(address).append("?Subject=").append(subject);
  handover_.shell_execute(HwndOf(&owner), "Open", ToAnsiLossy(mail), "", "", 1);
}

// The help file in the current folder, opened by its file type.
void Win32Shell::OpenHelp() {
  handover_.start_hidden("cmd /X /C start Help.chm");
}

}  // namespace clipnest::win32
