// The DIB reader on any bytes: the measured extent lies within them, the reader and the BMP
// writer do what the verdict says, a BMP is its DIB after 14 bytes, a too-large verdict is a
// header's own side beyond the largest picture, and nothing larger than the bytes is allocated.
#include "platform/dib.h"
#include "check.h"
#include "platform/runtime_error.h"

#include <algorithm>
#include <cstring>

using namespace clipnest;

thread_local bool watching = false;
thread_local std::size_t largest_allocation = 0;
// AddressSanitizer calls this on every allocation.
extern "C" void __sanitizer_malloc_hook(const volatile void*, std::size_t size) {
  if (watching) largest_allocation = std::max(largest_allocation, size);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string dib(reinterpret_cast<const char*>(data), size);
  const auto get32 = [](std::string_view bytes, std::size_t at) {
    std::int32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return std::int64_t{value};
  };
  watching = true;
  largest_allocation = 0;
  const DibExtent extent = MeasureDib(dib);
  std::optional<std::string> bmp;
  Picture picture;
  bool too_large = false;
  try {
    picture = PictureOfPackedDib(dib);
    bmp = BmpFile(Picture{dib});
  } catch (const RuntimeError& error) {
    too_large = error.number() == ErrorNumber::kOutOfMemory;
  }
  watching = false;
  // The bytes, a file header and a string's closing zero, or a thrown error's own small block.
  CHECK(largest_allocation <= std::max<std::size_t>(size + 14 + 1, 256));
  CHECK(too_large == (extent.verdict == DibVerdict::kTooLarge));
  if (too_large) {
    const bool core = get32(dib, 0) == 12;  // 16-bit sides
    const std::int64_t width = core ? get32(dib, 4) & 0xFFFF : get32(dib, 4);
    const std::int64_t height = core ? get32(dib, 4) >> 16 & 0xFFFF : get32(dib, 8);
    CHECK(std::max({width, height, -height}) > kLargestPictureSide);
  } else if (extent.verdict == DibVerdict::kBroken) {
    CHECK(picture.empty() && !bmp);
  } else {
    CHECK(extent.pixel_offset < extent.size && extent.size <= size);
    CHECK(picture.dib == dib.substr(0, extent.size) && bmp && bmp->substr(14) == picture.dib);
    CHECK(get32(*bmp, 2) == std::int64_t(bmp->size()) &&
          get32(*bmp, 10) == 14 + std::int64_t(extent.pixel_offset));
  }
  return 0;
}
