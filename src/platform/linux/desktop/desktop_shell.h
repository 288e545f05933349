#pragma once

#include "platform/shell.h"

namespace clipnest::linux_backend {

// Web pages and mail open with the desktop's handler (xdg-open), detached. The help opens with
// the desktop's viewer of compiled help where it has one, else as the web page beside it.
class DesktopShell : public Shell {
 public:
  void OpenWebPage(const Form& owner, std::string_view url) override;
  void ComposeMail(const Form& owner, std::string_view address, std::string_view subject) override;
  void OpenHelp() override;
};

}  // namespace clipnest::linux_backend
