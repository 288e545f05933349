#pragma once

#include "platform/key_state.h"

namespace clipnest::win32 {

// The system's global key state. It cannot wake a poller: the poller keeps ticking.
class Win32KeyState : public KeyState {
 public:
  std::int16_t AsyncKeyState(int virtual_key) override;
};

}  // namespace clipnest::win32
