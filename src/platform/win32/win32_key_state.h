#pragma once

#include "platform/key_state.h"

namespace clipnest::win32 {

class Win32KeyState : public KeyState {
 public:
  std::int16_t AsyncKeyState(int virtual_key) override;
};

}  // namespace clipnest::win32
