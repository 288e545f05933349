#pragma once

#include "platform/shell.h"

namespace clipnest::win32 {

// ShellExecuteA with the texts in the ANSI code page; its result is not looked at.
class Win32Shell : public Shell {
 public:
  void Execute(const Form& owner, std::string_view operation, std::string_view file,
               std::string_view parameters, std::string_view directory, int show_command) override;
};

}  // namespace clipnest::win32
