#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace clipnest {

// Global key state, whatever program has the focus and whether or not the program's windows
// are shown.
class KeyState {
 public:
  virtual ~KeyState() = default;
  // For a virtual-key code: the top bit set while the key is down now, the bottom bit set when
  // it went down since the previous query of that key.
  virtual std::int16_t AsyncKeyState(int virtual_key) = 0;

  // True when none of these keys is down or went down since its last query, and the key state
  // calls `on_key_down` as soon as one of them goes down: a poller of these keys alone then has
  // nothing to do until that call. A key state that cannot wake a poller returns false.
  virtual bool Quiet(std::span<const int> virtual_keys) {
    (void)virtual_keys;
    return false;
  }
  std::function<void()> on_key_down;
};

}  // namespace clipnest
