#include "platform/win32/win32_key_state.h"

#include <windows.h>

namespace clipnest::win32 {

std::int16_t Win32KeyState::AsyncKeyState(int virtual_key) {
  return GetAsyncKeyState(virtual_key);
}

}  // namespace clipnest::win32
