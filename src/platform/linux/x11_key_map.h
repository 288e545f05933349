#pragma once

#include <array>
#include <cstdint>

typedef struct _XDisplay Display;

namespace clipnest {

// The keys the key state reports, numbered as Windows numbers its virtual keys.
namespace virtual_key {
constexpr int kControl = 0x11;  // either Ctrl
constexpr int kAlt = 0x12;      // either Alt
constexpr int kPause = 0x13;
constexpr int kPrintScreen = 0x2C;
constexpr int kC = 0x43;
constexpr int kAll[] = {kControl, kAlt, kPause, kPrintScreen, kC};
}  // namespace virtual_key

// For each X keycode, the virtual key it is (0 when it is none of them).
using VirtualKeyMap = std::array<std::uint8_t, 256>;

// Reads the server's current keyboard map: each key is what its unshifted symbols say, but C is
// the key at C's place when no layout has the letter c (Russian alone, say), as on Windows.
VirtualKeyMap ReadVirtualKeyMap(Display* display);

}  // namespace clipnest
