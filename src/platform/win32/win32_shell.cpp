#include "platform/win32/win32_shell.h"

#include "platform/win32/win32_form_view.h"
#include "platform/win32/win32_text.h"

#include <shellapi.h>

namespace clipnest::win32 {

void Win32Shell::Execute(const Form& owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory,
                         int show_command) {
  ShellExecuteA(HwndOf(&owner), ToAnsiLossy(operation).c_str(), ToAnsiLossy(file).c_str(),
                ToAnsiLossy(parameters).c_str(), ToAnsiLossy(directory).c_str(), show_command);
}

}  // namespace clipnest::win32
