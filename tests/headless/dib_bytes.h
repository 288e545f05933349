#pragma once

// Hand-made packed DIBs for tests, and the pixels of the 24-bit ones that the program makes.

#include <cstdint>
#include <string>
#include <string_view>

namespace clipnest::test_support {

// Little-endian fields of four bytes (or `bytes`), as a DIB holds them.
inline void Put32(std::string& out, std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline std::uint32_t Get32(std::string_view bytes, std::size_t at, int count = 4) {
  std::uint32_t value = 0;
  while (count--) value = (value << 8) | static_cast<unsigned char>(bytes[at + count]);
  return value;
}

// A BITMAPINFOHEADER of `size` bytes (40, or a longer version with zeros after the first 40).
inline std::string InfoHeader(std::int32_t width, std::int32_t height, int bits,
                              std::uint32_t compression, std::uint32_t colours_used = 0,
                              std::uint32_t size = 40) {
  std::string header;
  for (std::uint32_t field :
       {size, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
        1u | static_cast<std::uint32_t>(bits) << 16, compression, 0u, 3780u, 3780u, colours_used,
        0u})
    Put32(header, field);  // planes and bits share one field; the image size may be left out
  header.resize(size, '\0');
  return header;
}

// The pixel at (x, y), y = 0 being the top row, of a 24-bit bottom-up DIB with the 40-byte header,
// as 0xRRGGBB.
inline std::uint32_t Pixel24(std::string_view dib, int x, int y) {
  const std::size_t width = Get32(dib, 4), height = Get32(dib, 8);
  return Get32(dib, 40 + (width * 3 + 3) / 4 * 4 * (height - 1 - y) + 3 * x, 3);
}

}  // namespace clipnest::test_support
