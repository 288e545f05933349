#pragma once

#include "platform/picture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// Pictures come from other programs through the clipboard: every size in them is checked before
// anything is read or allocated. Pictures of up to this many pixels on each side are saved;
// larger ones are refused with kOutOfMemory, a silent failure.
inline constexpr std::int64_t kLargestPictureSide = 16384;

// A 24-bit bottom-up picture of width x height pixels. `row(y)` gives row y (0 is the top row)
// as width pixels 0xAARRGGBB; alpha is dropped. The empty picture when a side is not positive;
// a larger side than kLargestPictureSide throws RuntimeError(kOutOfMemory) before anything is
// allocated.
Picture DibFromRows(int width, int height, const std::function<const std::uint32_t*(int)>& row);

// What a packed DIB at the start of some bytes is, after its header, masks, palette and rows have
// been checked against each other and against the bytes there are.
enum class DibVerdict {
  kUsable,
  kBroken,    // a header, a size or a format that no picture has, or bytes missing
  kTooLarge,  // a well-formed header of more than kLargestPictureSide pixels on a side
};
struct DibExtent {
  DibVerdict verdict = DibVerdict::kBroken;
  std::size_t pixel_offset = 0;  // where the rows begin, from the start of the header
  std::size_t size = 0;          // the bytes of the header, masks, palette and rows
};
DibExtent MeasureDib(std::string_view bytes);

// The packed DIB at the start of `bytes`, cut to its own size (a clipboard's memory block may be
// longer). The empty picture when it is broken; throws RuntimeError(kOutOfMemory) when it is too
// large.
Picture PictureOfPackedDib(std::string_view bytes);

// A complete BMP file of a picture: the file header (with the pixel offset) before the DIB.
// Nothing when the picture is empty or broken; throws RuntimeError(kOutOfMemory) when it is too
// large.
std::optional<std::string> BmpFile(const Picture& picture);

}  // namespace clipnest
