#pragma once

#include "platform/shell.h"

namespace clipnest {

// Opens a web address or a mail link with the desktop's handler (xdg-open), detached; nothing
// is awaited or reported. The operation, parameters and show command are Windows' own.
class DesktopShell : public Shell {
 public:
  void Execute(const Form& owner, std::string_view operation, std::string_view file,
               std::string_view parameters, std::string_view directory, int show_command) override;
};

}  // namespace clipnest
