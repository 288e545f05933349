#pragma once

#include "platform/shell.h"
#include "platform/tools.h"

#include <windows.h>

#include <functional>
#include <string>

namespace clipnest::win32 {

// How a request is handed over to Windows, nothing awaited or looked at; tests put recorders in
// place of the real calls.
struct Handover {
  // A command line run as a new process with its window hidden.
  std::function<void(const std::string& command_line)> start_hidden;
  // ShellExecuteA's arguments, the texts in the ANSI code page.
  std::function<void(HWND owner, const std::string& operation, const std::string& file,
                     const std::string& parameters, const std::string& directory, int show)>
      shell_execute;
  static Handover ToWindows();
};

class Win32Tools : public Tools {
 public:
  explicit Win32Tools(Handover handover = Handover::ToWindows()) : handover_(handover) {}
  void Launch(Tool tool) override;

 private:
  Handover handover_;
};

class Win32Shell : public Shell {
 public:
  explicit Win32Shell(Handover handover = Handover::ToWindows()) : handover_(handover) {}
  void OpenWebPage(const Form& owner, std::string_view url) override;
  void ComposeMail(const Form& owner, std::string_view address, std::string_view subject) override;
  void OpenHelp() override;

 private:
  Handover handover_;
};

}  // namespace clipnest::win32
