#pragma once

#include "platform/key_state.h"

#include <array>
#include <cstdint>

typedef struct _XDisplay Display;

namespace clipnest::linux_backend {

// For each X keycode, the virtual key it is (0 when it is none of them).
using VirtualKeyMap = std::array<std::uint8_t, 256>;

// Reads the server's current keyboard map: each key is what its unshifted symbols say, but C is
// the key at C's place when no layout has the letter c (Russian alone, say), as on Windows.
VirtualKeyMap ReadVirtualKeyMap(Display* display);

}  // namespace clipnest::linux_backend
