// Pictures as packed DIBs: the BMP file's header and pixel offset for every layout a clipboard
// may hand over, and the refusal of broken and too large ones.
#include "platform/dib.h"

#include "headless/dib_bytes.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

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

TEST(DibTest, ThePixelOffsetCountsMasksAndPalettes) {
  const auto offset = [](const std::string& header, std::size_t rest) {
    return MeasureDib(header + std::string(rest, '\0')).pixel_offset;
  };
  EXPECT_EQ(offset(InfoHeader(2, -2, 32, 0), 16), 40u);              // top-down, no palette
  EXPECT_EQ(offset(InfoHeader(2, 2, 16, 3), 12 + 8), 52u);           // masks after the header
  EXPECT_EQ(offset(InfoHeader(1, 1, 32, 6), 16 + 4), 56u);           // and an alpha mask
  EXPECT_EQ(offset(InfoHeader(1, 1, 32, 3, 0, 124), 4), 124u);       // masks inside a V5 header
  EXPECT_EQ(offset(InfoHeader(3, 1, 4, 0, 2), 8 + 4), 48u);          // two colours used
  EXPECT_EQ(offset(InfoHeader(1, 1, 8, 0), 1024 + 4), 40u + 1024u);  // a full palette
  EXPECT_EQ(Get32(*BmpFile({InfoHeader(2, 2, 16, 3) + std::string(20, '\0')}), 10), 14u + 52u);
}

// What taking a DIB gives: "file" when usable (and from a clipboard's longer block, the picture
// alone), "none" when broken, "7" (the silent out-of-memory failure) when too large.
static std::string Taken(const std::string& header, std::size_t rest = 0) {
  const std::string dib = header + std::string(rest, '\0');
  try {
    const Picture taken = PictureOfPackedDib(dib);
    const std::optional<std::string> file = BmpFile(Picture{dib});
    if (taken.empty() == file.has_value()) return "picture and file disagree";
    if (!file) return "none";
    return PictureOfPackedDib(dib + "block's tail").dib == taken.dib ? "file" : "block not cut";
  } catch (const RuntimeError& error) {
    return std::to_string(static_cast<int>(error.number()));
  }
}

TEST(DibTest, BrokenPicturesAreNoneAndThoseOfMoreThan16384PixelsASideAreRefusedSilently) {
  std::string core_header;  // the old 12-byte header with 16-bit sides
  for (std::uint16_t field : {12, 0, 0xFFFF, 1, 1, 24}) test_support::Put16(core_header, field);
  EXPECT_EQ(Taken(InfoHeader(2, 2, 24, 0), 16), "file");
  EXPECT_EQ(Taken(InfoHeader(16384, 1, 24, 0), 16384 * 3), "file");
  for (const auto& [header, rest] : std::initializer_list<std::pair<std::string, std::size_t>>{
           {InfoHeader(2, 2, 24, 0), 15},         // a byte of the rows missing
           {"", 0},                               //
           {InfoHeader(-2, 2, 24, 0), 16},        // a negative width
           {InfoHeader(2, 0, 24, 0), 16},         // no height
           {InfoHeader(2, 2, 2, 0), 16},          // no such bit count
           {InfoHeader(2, 2, 24, 3), 28},         // bit fields of 24 bits
           {InfoHeader(2, 2, 0, 4), 16},          // a JPEG inside
           {InfoHeader(2, -2, 8, 1, 1), 100},     // run-length rows top-down
           {InfoHeader(2, 2, 24, 0, 0, 64), 16},  // no such header size
           {InfoHeader(1, 1, 32, 3), 8},          // two masks of three
           {InfoHeader(1, 1, 8, 0, 257), 1032},   // 257 colours
           {InfoHeader(1, 1, 8, 0), 1020}})       // a palette cut short
    EXPECT_EQ(Taken(header, rest), "none") << rest;
  // The header alone decides.
  for (const std::string& header : {InfoHeader(16385, 1, 24, 0), InfoHeader(1, -16385, 24, 0),
                                    InfoHeader(2, INT32_MIN, 24, 0), core_header})
    EXPECT_EQ(Taken(header), "7");
}

}  // namespace clipnest
