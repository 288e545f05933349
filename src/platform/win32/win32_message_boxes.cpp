#include "platform/win32/win32_message_boxes.h"

#include "platform/win32/win32_form_view.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {

void Win32MessageBoxes::ShowOk(const Form* owner, std::string_view caption, std::string_view text) {
  // The boxes of the start-up have no owner: they come before any window is shown. An owner
  // takes no input while its box is open.
  MessageBoxW(HwndOf(owner), Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

}  // namespace clipnest::win32
