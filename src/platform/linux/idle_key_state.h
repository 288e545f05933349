#pragma once

#include "platform/key_state.h"

namespace clipnest {

// Not polled yet: the global key state on X11 is still to come. Every key reads as up and as
// not pressed since the last query, so the hotkeys do nothing on this backend for now.
class IdleKeyState : public KeyState {
 public:
  std::int16_t AsyncKeyState(int) override { return 0; }
};

}  // namespace clipnest
