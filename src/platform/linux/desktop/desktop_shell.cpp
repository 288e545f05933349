#include "platform/linux/desktop/desktop_shell.h"

#include "platform/linux/desktop/desktop_tools.h"
#include "platform/linux/posix/detached_start.h"

namespace clipnest::linux_backend {
namespace {

void Open(const std::string& target) {
  if (auto xdg_open = FindProgram("xdg-open")) StartDetached(*xdg_open, {target});
}

}  // namespace

void DesktopShell::OpenWebPage(const Form&, std::string_view url) {
  Open(std::string(url));
}

// The same link as on Windows: the subject as it is, blanks included.
void DesktopShell::ComposeMail(const Form&, std::string_view address, std::string_view subject) {
  Open("mailto:" + std::string(address) + "?Subject=" + std::string(subject));
}

// Whether the desktop shows compiled help is for xdg-mime to say, which can take its time.
void DesktopShell::OpenHelp() {
  FindAndStart([]() -> std::optional<LocalCommand> {
    auto xdg_open = FindProgram("xdg-open");
    if (!xdg_open) return std::nullopt;
    const bool viewer = !DefaultApplication("application/vnd.ms-htmlhelp").empty();
    return LocalCommand{*xdg_open, {viewer ? "Help.chm" : "Help.html"}};
  });
}

}  // namespace clipnest::linux_backend
