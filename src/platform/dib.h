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
// The info header (40 bytes) that DibFromRows gives a picture of width x height pixels.
std::string InfoHeaderOfRows(int width, int height);

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

// The BMP file of a picture in its two parts: the file header (with the pixel offset), then the
// picture's DIB cut to its own size, where the picture holds it. Nothing when the picture is empty
// or broken; throws RuntimeError(kOutOfMemory) when it is too large.
struct BmpFileParts {
  std::string header;
  std::string_view dib;
};
std::optional<BmpFileParts> BmpFileOf(const Picture& picture);
// The same as one complete file.
std::optional<std::string> BmpFile(const Picture& picture);

// The packed DIB of a whole BMP file, taken out of the file's bytes where they lie (the file
// header is dropped and the rest cut to the DIB's size), when the pixels follow the header,
// masks and palette at once as a packed DIB has them. False, with `bytes` untouched, for
// anything else; throws RuntimeError(kOutOfMemory) when the picture is too large.
bool TakePackedDibOfBmpFile(std::string& bytes);

}  // namespace clipnest
