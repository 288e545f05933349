#pragma once

#include <cstdint>

namespace clipnest {

// Global key state, whatever program has the focus.
class KeyState {
 public:
  virtual ~KeyState() = default;
  // For a virtual-key code: the top bit set when the key is down now, the bottom bit set when
  // it went down since the previous query.
  virtual std::int16_t AsyncKeyState(int virtual_key) = 0;
};

}  // namespace clipnest
