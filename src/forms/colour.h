#pragma once

#include <cstdint>

namespace clipnest {

// A colour as 0x00BBGGRR (red in the low byte). A value with the high bit set names a system
// colour by its index in the low byte.
using OleColour = std::uint32_t;

inline constexpr OleColour kSystemColourFlag = 0x80000000u;
inline constexpr OleColour kButtonFace = 0x8000000Fu;
inline constexpr OleColour kButtonText = 0x80000012u;
inline constexpr OleColour kWindowBackground = 0x80000005u;
inline constexpr OleColour kWindowText = 0x80000008u;

// The "transparent colour" of a picture that has none: it matches no pixel.
inline constexpr OleColour kNoTransparentColour = 0xFFFFFFFFu;

inline constexpr bool IsSystemColour(OleColour colour) {
  return (colour & kSystemColourFlag) != 0;
}
inline constexpr int SystemColourIndex(OleColour colour) {
  return static_cast<int>(colour & 0xFF);
}

inline constexpr OleColour Rgb(int red, int green, int blue) {
  return static_cast<OleColour>(red) | (static_cast<OleColour>(green) << 8) |
         (static_cast<OleColour>(blue) << 16);
}
inline constexpr int RedOf(OleColour colour) {
  return static_cast<int>(colour & 0xFF);
}
inline constexpr int GreenOf(OleColour colour) {
  return static_cast<int>((colour >> 8) & 0xFF);
}
inline constexpr int BlueOf(OleColour colour) {
  return static_cast<int>((colour >> 16) & 0xFF);
}

}  // namespace clipnest
