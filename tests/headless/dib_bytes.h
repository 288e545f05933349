#pragma once

// Packed DIBs for tests: hand-made headers, and a reader of saved and captured pictures' pixels.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest::test_support {

// Little-endian fields, as a DIB holds them.
void Put32(std::string& out, std::uint32_t value);
void Put16(std::string& out, std::uint16_t value);
std::uint32_t Get32(std::string_view bytes, std::size_t at);

// A BITMAPINFOHEADER of `size` bytes (40, or a longer version with zeros after the first 40).
std::string InfoHeader(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                       std::uint32_t colours_used = 0, std::uint32_t size = 40);

// Pixels as 0xAARRGGBB, rows top-down (alpha 0xFF where the format has none).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// A packed DIB of 1, 4, 8, 16, 24 or 32 bits per pixel, with bit-field masks, palettes and
// top-down rows; nothing for run-length encoded or broken pictures.
std::optional<Pixels> DecodeDib(std::string_view dib);

}  // namespace clipnest::test_support
