#include "platform/dib.h"

#include <bit>
#include <cstring>

namespace clipnest {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}
std::uint16_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}
void Put32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

struct Header {
  std::size_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::size_t palette_entries = 0;
  std::size_t palette_entry_size = 4;
  std::size_t mask_bytes_after_header = 0;
};

std::optional<Header> ReadHeader(std::string_view dib) {
  if (dib.size() < 4) return std::nullopt;
  Header header;
  header.size = Read32(dib, 0);
  if (header.size == kCoreHeaderSize) {
    if (dib.size() < kCoreHeaderSize) return std::nullopt;
    header.width = Read16(dib, 4);
    header.height = Read16(dib, 6);
    header.bit_count = Read16(dib, 10);
    header.palette_entry_size = 3;
    if (header.bit_count <= 8) header.palette_entries = std::size_t{1} << header.bit_count;
    return header;
  }
  if (header.size < kInfoHeaderSize || dib.size() < header.size) return std::nullopt;
  header.width = static_cast<std::int32_t>(Read32(dib, 4));
  header.height = static_cast<std::int32_t>(Read32(dib, 8));
  header.bit_count = Read16(dib, 14);
  header.compression = Read32(dib, 16);
  std::uint32_t colours_used = Read32(dib, 32);
  if (colours_used != 0) {
    header.palette_entries = colours_used;
  } else if (header.bit_count >= 1 && header.bit_count <= 8) {
    header.palette_entries = std::size_t{1} << header.bit_count;
  }
  if (header.size == kInfoHeaderSize) {
    if (header.compression == kBiBitfields) header.mask_bytes_after_header = 12;
    if (header.compression == kBiAlphaBitfields) header.mask_bytes_after_header = 16;
  }
  if (header.palette_entries > 65536) return std::nullopt;
  return header;
}

std::size_t PixelOffset(const Header& header) {
  return header.size + header.mask_bytes_after_header +
         header.palette_entries * header.palette_entry_size;
}

// The value of a pixel's channel under a bit mask, scaled to 0..255.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  std::uint32_t max = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / max;
}

}  // namespace

Picture DibFromRows(int width, int height, const std::function<const std::uint32_t*(int)>& row) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  Picture picture;
  std::string& dib = picture.dib;
  dib.reserve(kInfoHeaderSize + stride * height);
  Put32(dib, kInfoHeaderSize);
  Put32(dib, static_cast<std::uint32_t>(width));
  Put32(dib, static_cast<std::uint32_t>(height));
  Put16(dib, 1);
  Put16(dib, 24);
  Put32(dib, kBiRgb);
  Put32(dib, static_cast<std::uint32_t>(stride * height));
  Put32(dib, 3780);  // 96 dots per inch
  Put32(dib, 3780);
  Put32(dib, 0);
  Put32(dib, 0);
  const std::size_t rows_at = dib.size();
  dib.resize(rows_at + stride * height, '\0');
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* source = row(y);
    char* target = dib.data() + rows_at + stride * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = source[x];
      target[3 * x] = static_cast<char>(pixel & 0xFF);
      target[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      target[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
  }
  return picture;
}

std::optional<std::size_t> DibPixelOffset(std::string_view dib) {
  auto header = ReadHeader(dib);
  if (!header) return std::nullopt;
  std::size_t offset = PixelOffset(*header);
  if (offset > dib.size()) return std::nullopt;
  return offset;
}

std::optional<std::string> BmpFile(const Picture& picture) {
  if (picture.empty()) return std::nullopt;
  auto offset = DibPixelOffset(picture.dib);
  if (!offset) return std::nullopt;
  std::string file;
  file.reserve(kFileHeaderSize + picture.dib.size());
  file += "BM";
  Put32(file, static_cast<std::uint32_t>(kFileHeaderSize + picture.dib.size()));
  Put32(file, 0);
  Put32(file, static_cast<std::uint32_t>(kFileHeaderSize + *offset));
  file += picture.dib;
  return file;
}

std::optional<Pixels> DecodeDib(std::string_view dib) {
  auto header = ReadHeader(dib);
  if (!header) return std::nullopt;
  const bool bitfields =
      header->compression == kBiBitfields || header->compression == kBiAlphaBitfields;
  if (header->compression != kBiRgb && !bitfields) return std::nullopt;
  const int bits = header->bit_count;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return std::nullopt;
  const bool top_down = header->height < 0;
  Pixels pixels;
  pixels.width = header->width;
  pixels.height = top_down ? -header->height : header->height;
  if (pixels.width <= 0 || pixels.height <= 0) return std::nullopt;
  const std::size_t stride = ((static_cast<std::size_t>(pixels.width) * bits + 31) / 32) * 4;
  const std::size_t rows_at = PixelOffset(*header);
  if (rows_at + stride * pixels.height > dib.size()) return std::nullopt;

  std::uint32_t red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF, alpha = 0;
  if (bits == 16) red = 0x7C00, green = 0x03E0, blue = 0x001F;
  if (bitfields) {
    std::size_t masks_at = header->size == kInfoHeaderSize ? kInfoHeaderSize : 40;
    red = Read32(dib, masks_at);
    green = Read32(dib, masks_at + 4);
    blue = Read32(dib, masks_at + 8);
    bool has_alpha = header->compression == kBiAlphaBitfields || header->size > kInfoHeaderSize;
    if (has_alpha) alpha = Read32(dib, masks_at + 12);
  }
  const std::size_t palette_at = header->size + header->mask_bytes_after_header;
  auto palette_colour = [&](std::size_t index) -> std::uint32_t {
    if (index >= header->palette_entries) return 0xFF000000;
    std::size_t at = palette_at + index * header->palette_entry_size;
    return 0xFF000000 | (static_cast<unsigned char>(dib[at + 2]) << 16) |
           (static_cast<unsigned char>(dib[at + 1]) << 8) | static_cast<unsigned char>(dib[at]);
  };

  pixels.argb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    const std::size_t source_row = top_down ? y : pixels.height - 1 - y;
    const std::size_t at = rows_at + source_row * stride;
    for (int x = 0; x < pixels.width; ++x) {
      std::uint32_t colour;
      if (bits <= 8) {
        std::size_t bit = static_cast<std::size_t>(x) * bits;
        auto byte = static_cast<unsigned char>(dib[at + bit / 8]);
        std::size_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        colour = palette_colour(index);
      } else {
        std::uint32_t value = 0;
        for (int i = bits / 8 - 1; i >= 0; --i)
          value = (value << 8) | static_cast<unsigned char>(dib[at + x * (bits / 8) + i]);
        std::uint32_t a = alpha ? Channel(value, alpha) : 0xFF;
        colour = (a << 24) | (Channel(value, red) << 16) | (Channel(value, green) << 8) |
                 Channel(value, blue);
      }
      pixels.argb[static_cast<std::size_t>(y) * pixels.width + x] = colour;
    }
  }
  return pixels;
}

}  // namespace clipnest
