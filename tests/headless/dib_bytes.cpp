#include "headless/dib_bytes.h"

#include "platform/dib.h"

#include <bit>

namespace clipnest::test_support {

void Put32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}
std::uint32_t Get32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::string InfoHeader(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                       std::uint32_t colours_used, std::uint32_t size) {
  std::string header;
  Put32(header, size);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  Put16(header, 1);
  Put16(header, static_cast<std::uint16_t>(bits));
  Put32(header, compression);
  Put32(header, 0);  // the image size may be left out of an uncompressed DIB
  Put32(header, 3780);
  Put32(header, 3780);
  Put32(header, colours_used);
  Put32(header, 0);
  header.resize(size, '\0');
  return header;
}

namespace {

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return Get32(bytes, at);
}
std::uint16_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// The value of a pixel's channel under a bit mask, scaled to 0..255.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t max = mask >> shift;
  return static_cast<std::uint32_t>(std::uint64_t{(pixel & mask) >> shift} * 255 / max);
}

}  // namespace

std::optional<Pixels> DecodeDib(std::string_view dib) {
  // The program's own checks say where everything lies and that it all lies inside.
  const DibExtent extent = MeasureDib(dib);
  if (extent.verdict != DibVerdict::kUsable) return std::nullopt;
  const std::uint32_t header_size = Read32(dib, 0);
  const bool core = header_size == 12;
  const int bits = core ? Read16(dib, 10) : Read16(dib, 14);
  const std::uint32_t compression = core ? 0 : Read32(dib, 16);
  if (compression == 1 || compression == 2) return std::nullopt;
  const auto height =
      core ? std::int32_t{Read16(dib, 6)} : static_cast<std::int32_t>(Read32(dib, 8));
  Pixels pixels;
  pixels.width = core ? Read16(dib, 4) : static_cast<std::int32_t>(Read32(dib, 4));
  pixels.height = height < 0 ? -height : height;
  const bool top_down = height < 0;
  const std::size_t stride = ((static_cast<std::size_t>(pixels.width) * bits + 31) / 32) * 4;
  const std::size_t palette_entry = core ? 3 : 4;
  const std::uint32_t colours_used = core ? 0 : Read32(dib, 32);
  const std::size_t palette_entries =
      colours_used != 0 ? colours_used : (bits <= 8 ? std::size_t{1} << bits : 0);
  // The palette ends where the rows begin.
  const std::size_t palette_at = extent.pixel_offset - palette_entries * palette_entry;

  std::uint32_t red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF, alpha = 0;
  if (bits == 16) red = 0x7C00, green = 0x03E0, blue = 0x001F;
  if (compression == 3 || compression == 6) {
    red = Read32(dib, 40);
    green = Read32(dib, 44);
    blue = Read32(dib, 48);
    if (compression == 6 || header_size > 52) alpha = Read32(dib, 52);
  }
  auto palette_colour = [&](std::size_t index) -> std::uint32_t {
    if (index >= palette_entries) return 0xFF000000;
    const std::size_t at = palette_at + index * palette_entry;
    return 0xFF000000 | (static_cast<unsigned char>(dib[at + 2]) << 16) |
           (static_cast<unsigned char>(dib[at + 1]) << 8) | static_cast<unsigned char>(dib[at]);
  };

  pixels.argb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    const std::size_t source_row = top_down ? y : pixels.height - 1 - y;
    const std::size_t at = extent.pixel_offset + source_row * stride;
    for (int x = 0; x < pixels.width; ++x) {
      std::uint32_t colour;
      if (bits <= 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const auto byte = static_cast<unsigned char>(dib[at + bit / 8]);
        colour = palette_colour((byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1));
      } else {
        std::uint32_t value = 0;
        for (int i = bits / 8 - 1; i >= 0; --i)
          value = (value << 8) | static_cast<unsigned char>(dib[at + x * (bits / 8) + i]);
        const std::uint32_t a = alpha ? Channel(value, alpha) : 0xFF;
        colour = (a << 24) | (Channel(value, red) << 16) | (Channel(value, green) << 8) |
                 Channel(value, blue);
      }
      pixels.argb[static_cast<std::size_t>(y) * pixels.width + x] = colour;
    }
  }
  return pixels;
}

}  // namespace clipnest::test_support
