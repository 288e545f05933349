#include "platform/win32/win32_message_boxes.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {

void Win32MessageBoxes::ShowOk(std::string_view caption, std::string_view text) {
  // No owner: the boxes of the start-up come before any window is shown.
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

}  // namespace clipnest::win32
