#pragma once

#include "platform/picture.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest {

// A 24-bit bottom-up picture of width x height pixels. `row(y)` gives row y (0 is the top row)
// as width pixels 0xAARRGGBB; alpha is dropped.
Picture DibFromRows(int width, int height, const std::function<const std::uint32_t*(int)>& row);

// The offset of the pixel rows from the start of a packed DIB: the info header, the colour masks
// of a bit-field DIB with the short header, and the palette. Nothing when the header is broken.
std::optional<std::size_t> DibPixelOffset(std::string_view dib);

// A complete BMP file of a picture: the file header (with the pixel offset) before the DIB.
// Nothing when the picture is empty or its header is broken.
std::optional<std::string> BmpFile(const Picture& picture);

// Reads a picture back into 0xAARRGGBB pixels, rows top-down (alpha 0xFF where the format has
// none). Handles 1, 4, 8, 16, 24 and 32 bits per pixel, bit-field masks, palettes and top-down
// rows; nothing for compressed or broken pictures.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};
std::optional<Pixels> DecodeDib(std::string_view dib);

}  // namespace clipnest
