#pragma once

#include <utility>

namespace clipnest {

// Runs the handling of one event from the window system. No exception, whatever its kind, ends
// the program or crosses the window system's frames: a failure that no handler took care of is
// dropped silently, like the program's other silent failures, and the next event runs as usual.
template <typename Handling>
void RunEvent(Handling&& handling) noexcept {
  try {
    std::forward<Handling>(handling)();
  } catch (...) {
  }
}

}  // namespace clipnest
