// Pictures as packed DIBs: the BMP file's header and pixel offset for every layout a clipboard
// may hand over, and the refusal of broken and too large ones.
#include "platform/dib.h"

#include "headless/dib_bytes.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <tuple>

namespace clipnest {

using test_support::Get32;
using test_support::InfoHeader;

TEST(DibTest, RowsBecomeA24BitBottomUpPictureWithPaddedRowsAndItsBmpFile) {
  const std::uint32_t rows[2][3] = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
                                    {0xFF808080, 0xFF000000, 0xFFFFFFFF}};
  const Picture picture = DibFromRows(3, 2, [&rows](int y) { return rows[y]; });
  EXPECT_EQ(picture.dib.size(), 40u + 2 * 12u);  // rows padded to four bytes
  EXPECT_EQ(test_support::Pixel24(picture.dib, 0, 0), 0xFF0000u);
  EXPECT_EQ(test_support::Pixel24(picture.dib, 1, 0), 0x00FF00u);
  EXPECT_EQ(test_support::Pixel24(picture.dib, 2, 1), 0xFFFFFFu);
  const auto file = BmpFile(picture);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->substr(0, 2), "BM");
  EXPECT_EQ(Get32(*file, 2), file->size());
  EXPECT_EQ(Get32(*file, 10), 14u + 40u);
  EXPECT_EQ(file->substr(14), picture.dib);
  // Rows of more than 16384 pixels are refused before any is read.
  const auto unread = [](int) -> const std::uint32_t* { throw "a row was read"; };
  EXPECT_THROW(DibFromRows(16385, 1, unread), RuntimeError);
  EXPECT_THROW(DibFromRows(1, 16385, unread), RuntimeError);
  EXPECT_TRUE(DibFromRows(0, 5, unread).empty());
}

// What taking a DIB gives: the offset of the pixels in its BMP file when usable (from a
// clipboard's longer block, the picture alone), "none" when broken, "7" (the silent
// out-of-memory failure) when too large.
static std::string Taken(const std::string& header, std::size_t rest = 0) {
  const std::string dib = header + std::string(rest, '\0');
  try {
    const Picture taken = PictureOfPackedDib(dib);
    const std::optional<std::string> file = BmpFile(Picture{dib});
    if (taken.empty() == file.has_value()) return "picture and file disagree";
    if (!file) return "none";
    if (PictureOfPackedDib(dib + "block's tail").dib != taken.dib) return "block not cut";
    return "pixels at " + std::to_string(Get32(*file, 10));
  } catch (const RuntimeError& error) {
    return std::to_string(static_cast<int>(error.number()));
  }
}

TEST(DibTest, EveryLayoutGivesItsPixelOffsetBrokenOnesNoneAndTooLargeOnesASilentFailure) {
  using Case = std::tuple<std::string, std::size_t, std::string>;
  for (const auto& [header, rest, taken] : std::initializer_list<Case>{
           {InfoHeader(2, -2, 32, 0), 16, "pixels at 54"},            // top-down, no palette
           {InfoHeader(2, 2, 16, 3), 12 + 8, "pixels at 66"},         // masks after the header
           {InfoHeader(1, 1, 32, 6), 16 + 4, "pixels at 70"},         // and an alpha mask
           {InfoHeader(1, 1, 32, 3, 0, 124), 4, "pixels at 138"},     // masks inside a V5 header
           {InfoHeader(3, 1, 4, 0, 2), 8 + 4, "pixels at 62"},        // two colours used
           {InfoHeader(1, 1, 8, 0), 1024 + 4, "pixels at 1078"},      // a full palette
           {InfoHeader(16384, 1, 24, 0), 16384 * 3, "pixels at 54"},  // the largest side
           {InfoHeader(2, 2, 24, 0), 15, "none"},                     // a byte of the rows missing
           {"", 0, "none"},
           {InfoHeader(-2, 2, 24, 0), 16, "none"},
           {InfoHeader(2, 0, 24, 0), 16, "none"},
           {InfoHeader(2, 2, 2, 0), 16, "none"},          // no such bit count
           {InfoHeader(2, 2, 24, 3), 28, "none"},         // bit fields of 24 bits
           {InfoHeader(2, 2, 0, 4), 16, "none"},          // a JPEG inside
           {InfoHeader(2, -2, 8, 1, 1), 100, "none"},     // run-length rows top-down
           {InfoHeader(2, 2, 24, 0, 0, 64), 16, "none"},  // no such header size
           {InfoHeader(1, 1, 32, 3), 8, "none"},          // two masks of three
           {InfoHeader(1, 1, 8, 0, 257), 1032, "none"},   // 257 colours
           {InfoHeader(1, 1, 8, 0), 1020, "none"},        // a palette cut short
           {InfoHeader(16385, 1, 24, 0), 0, "7"},         // the header alone decides
           {InfoHeader(1, -16385, 24, 0), 0, "7"},
           {InfoHeader(2, INT32_MIN, 24, 0), 0, "7"},
           // The old 12-byte header with 16-bit sides.
           {std::string("\x0C\0\0\0\xFF\xFF\x01\0\x01\0\x18\0", 12), 0, "7"}})
    EXPECT_EQ(Taken(header, rest), taken) << header.size() << "+" << rest;
}

}  // namespace clipnest
