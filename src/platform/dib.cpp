#include "platform/dib.h"

#include "platform/runtime_error.h"

#include <algorithm>

namespace clipnest {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV5HeaderSize = 124;
// The info header and its longer versions: with the colour masks (52), with alpha (56), V4, V5.
constexpr std::uint32_t kHeaderSizes[] = {kCoreHeaderSize, kInfoHeaderSize, 52, 56, 108,
                                          kV5HeaderSize};
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint64_t kLargestPalette = 256;

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

// The bytes of one row of pixels, padded to four bytes.
std::uint64_t RowStride(std::uint64_t width, std::uint64_t bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

// The header's fields, widened so that no sum or product of them can overflow.
struct Header {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for rows stored top-down
  std::uint32_t bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t image_size = 0;
  std::uint64_t colours_used = 0;
};

Header ReadHeader(std::string_view dib, std::uint32_t size) {
  Header header;
  header.size = size;
  if (size == kCoreHeaderSize) {
    header.width = Read16(dib, 4);
    header.height = Read16(dib, 6);
    header.bits = Read16(dib, 10);
    return header;
  }
  header.width = static_cast<std::int32_t>(Read32(dib, 4));
  header.height = static_cast<std::int32_t>(Read32(dib, 8));
  header.bits = Read16(dib, 14);
  header.compression = Read32(dib, 16);
  header.image_size = Read32(dib, 20);
  header.colours_used = Read32(dib, 32);
  return header;
}

// Pixel layouts that a BMP file holds as they come: uncompressed rows, bit fields and the two
// run-length encodings.
bool KnownFormat(const Header& header) {
  const std::uint32_t bits = header.bits;
  if (header.size == kCoreHeaderSize) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
  switch (header.compression) {
    case kBiRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBiRle8:
      return bits == 8;
    case kBiRle4:
      return bits == 4;
    case kBiBitfields:
      return bits == 16 || bits == 32;
    case kBiAlphaBitfields:
      // The alpha mask follows a short header or lies inside a long one; 52 bytes hold no alpha.
      return (bits == 16 || bits == 32) && header.size != 52;
    default:
      return false;  // JPEG, PNG and the rest
  }
}

bool RunLengthEncoded(const Header& header) {
  return header.compression == kBiRle8 || header.compression == kBiRle4;
}

}  // namespace

DibExtent MeasureDib(std::string_view dib) {
  if (dib.size() < 4) return {};
  const std::uint32_t header_size = Read32(dib, 0);
  if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), header_size) ==
          std::end(kHeaderSizes) ||
      dib.size() < header_size) {
    return {};
  }
  const Header header = ReadHeader(dib, header_size);
  if (!KnownFormat(header) || header.width <= 0 || header.height == 0) return {};
  const std::int64_t rows = header.height < 0 ? -header.height : header.height;
  // Run-length rows can only go bottom-up.
  if (header.height < 0 && RunLengthEncoded(header)) return {};
  if (header.width > kLargestPictureSide || rows > kLargestPictureSide) {
    return {.verdict = DibVerdict::kTooLarge};
  }

  std::uint64_t masks = 0;
  if (header.size == kInfoHeaderSize && header.compression == kBiBitfields) masks = 12;
  if (header.size == kInfoHeaderSize && header.compression == kBiAlphaBitfields) masks = 16;
  // Pictures of up to 8 bits a pixel index a palette; deeper ones may carry one for display.
  std::uint64_t palette = header.colours_used;
  if (palette == 0 && header.bits <= 8) palette = std::uint64_t{1} << header.bits;
  if (palette > kLargestPalette) return {};
  const std::uint64_t palette_entry = header.size == kCoreHeaderSize ? 3 : 4;
  const std::uint64_t pixel_offset = header.size + masks + palette * palette_entry;

  const std::uint64_t pixel_bytes =
      RunLengthEncoded(header) ? header.image_size
                               : RowStride(static_cast<std::uint64_t>(header.width), header.bits) *
                                     static_cast<std::uint64_t>(rows);
  if (pixel_bytes == 0) return {};
  const std::uint64_t size = pixel_offset + pixel_bytes;
  if (size > dib.size()) return {};
  return {.verdict = DibVerdict::kUsable,
          .pixel_offset = static_cast<std::size_t>(pixel_offset),
          .size = static_cast<std::size_t>(size)};
}

Picture PictureOfPackedDib(std::string_view bytes) {
  const DibExtent extent = MeasureDib(bytes);
  if (extent.verdict == DibVerdict::kTooLarge) throw RuntimeError(ErrorNumber::kOutOfMemory);
  if (extent.verdict != DibVerdict::kUsable) return {};
  return Picture{std::string(bytes.substr(0, extent.size))};
}

std::string InfoHeaderOfRows(int width, int height) {
  std::string header;
  Put32(header, kInfoHeaderSize);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, kBiRgb);
  Put32(header,
        static_cast<std::uint32_t>(RowStride(width, 24) * static_cast<std::uint64_t>(height)));
  Put32(header, 3780);  // 96 dots per inch
  Put32(header, 3780);
  Put32(header, 0);
  Put32(header, 0);
  return header;
}

Picture DibFromRows(int width, int height, const std::function<const std::uint32_t*(int)>& row) {
  if (width <= 0 || height <= 0) return {};
  if (width > kLargestPictureSide || height > kLargestPictureSide) {
    throw RuntimeError(ErrorNumber::kOutOfMemory);
  }
  const std::size_t stride = static_cast<std::size_t>(RowStride(width, 24));
  const std::size_t rows_size = stride * static_cast<std::size_t>(height);
  Picture picture;
  std::string& dib = picture.dib;
  dib.reserve(kInfoHeaderSize + rows_size);
  dib += InfoHeaderOfRows(width, height);
  // Row by row from the bottom one, each built in a small buffer: the rows' room is written once,
  // never filled with zeros first.
  std::string row_bytes(stride, '\0');
  for (int y = height - 1; y >= 0; --y) {
    const std::uint32_t* source = row(y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = source[x];
      row_bytes[3 * x] = static_cast<char>(pixel & 0xFF);
      row_bytes[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row_bytes[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    dib += row_bytes;
  }
  return picture;
}

std::optional<BmpFileParts> BmpFileOf(const Picture& picture) {
  if (picture.empty()) return std::nullopt;
  const DibExtent extent = MeasureDib(picture.dib);
  if (extent.verdict == DibVerdict::kTooLarge) throw RuntimeError(ErrorNumber::kOutOfMemory);
  if (extent.verdict != DibVerdict::kUsable) return std::nullopt;
  // The largest picture (16384 x 16384 at 32 bits, 1 GiB) keeps the file's size within 32 bits.
  BmpFileParts parts;
  parts.header = "BM";
  Put32(parts.header, static_cast<std::uint32_t>(kFileHeaderSize + extent.size));
  Put32(parts.header, 0);
  Put32(parts.header, static_cast<std::uint32_t>(kFileHeaderSize + extent.pixel_offset));
  parts.dib = std::string_view(picture.dib).substr(0, extent.size);
  return parts;
}

std::optional<std::string> BmpFile(const Picture& picture) {
  const auto parts = BmpFileOf(picture);
  if (!parts) return std::nullopt;
  std::string file;
  file.reserve(parts->header.size() + parts->dib.size());  // one block, of the file's size
  file.append(parts->header).append(parts->dib);
  return file;
}

bool TakePackedDibOfBmpFile(std::string& bytes) {
  if (bytes.size() < kFileHeaderSize || !bytes.starts_with("BM")) return false;
  const std::string_view dib = std::string_view(bytes).substr(kFileHeaderSize);
  const DibExtent extent = MeasureDib(dib);
  if (extent.verdict == DibVerdict::kTooLarge) throw RuntimeError(ErrorNumber::kOutOfMemory);
  // A gap before the pixels, or a colour profile after them that the header points to, is not
  // part of a packed DIB.
  if (extent.verdict != DibVerdict::kUsable ||
      Read32(bytes, 10) != kFileHeaderSize + extent.pixel_offset ||
      Read32(dib, 0) == kV5HeaderSize) {
    return false;
  }
  bytes.erase(0, kFileHeaderSize);
  bytes.resize(extent.size);
  return true;
}

}  // namespace clipnest
