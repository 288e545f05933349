#include "desktop_shell.h"

#include "desktop_tools.h"
#include "detached_start.h"

namespace clipnest {

void DesktopShell::Execute(const Form&, std::string_view, std::string_view file, std::string_view,
                           std::string_view, int) {
  if (auto xdg_open = FindProgram("xdg-open")) StartDetached(*xdg_open, {std::string(file)});
}

}  // namespace clipnest
