// Pictures as packed DIBs: the BMP file's header and pixel offset for every layout a clipboard
// may hand over, and the refusal of broken and too large ones.
#include "platform/dib.h"

#include "headless/dib_bytes.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace clipnest {
namespace {

using test_support::DecodeDib;
using test_support::Get32;
using test_support::InfoHeader;
using test_support::Put16;
using test_support::Put32;

const std::vector<std::uint32_t> kTwoByTwo = {0xFFFF0000, 0xFF00FF00,   // top: red, green
                                              0xFF0000FF, 0xFF808080};  // bottom: blue, grey

TEST(DibTest, RowsRoundTripThroughA24BitPictureAndItsBmpFile) {
  Picture picture = DibFromRows(2, 2, [](int y) { return kTwoByTwo.data() + 2 * y; });
  auto pixels = DecodeDib(picture.dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->width, 2);
  EXPECT_EQ(pixels->height, 2);
  EXPECT_EQ(pixels->argb, kTwoByTwo);

  auto file = BmpFile(picture);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->substr(0, 2), "BM");
  EXPECT_EQ(Get32(*file, 2), file->size());
  EXPECT_EQ(Get32(*file, 10), 14u + 40u);
  EXPECT_EQ(file->size(), 14u + 40u + 2 * 8u);  // rows padded to four bytes
}

TEST(DibTest, OddWidthsArePaddedPerRow) {
  std::vector<std::uint32_t> row(3, 0xFF112233);
  Picture picture = DibFromRows(3, 5, [&](int) { return row.data(); });
  EXPECT_EQ(picture.dib.size(), 40u + 5 * 12u);
  auto pixels = DecodeDib(picture.dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb, std::vector<std::uint32_t>(15, 0xFF112233));
}

TEST(DibTest, ThirtyTwoBitTopDownRowsReadInOrder) {
  std::string dib = InfoHeader(2, -2, 32, 0);
  for (std::uint32_t pixel : kTwoByTwo) Put32(dib, pixel & 0x00FFFFFF);
  auto pixels = DecodeDib(dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb, kTwoByTwo);
  EXPECT_EQ(Get32(*BmpFile({dib}), 10), 14u + 40u);
}

TEST(DibTest, BitFieldMasksFollowTheShortHeaderAndMoveThePixelOffset) {
  // 16-bit 5-6-5 pixels, bottom-up.
  std::string dib = InfoHeader(2, 2, 16, 3);
  Put32(dib, 0xF800);
  Put32(dib, 0x07E0);
  Put32(dib, 0x001F);
  Put16(dib, 0x001F);  // bottom row: blue, white
  Put16(dib, 0xFFFF);
  Put16(dib, 0xF800);  // top row: red, green
  Put16(dib, 0x07E0);
  EXPECT_EQ(MeasureDib(dib).pixel_offset, 52u);
  EXPECT_EQ(Get32(*BmpFile({dib}), 10), 14u + 52u);
  auto pixels = DecodeDib(dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb,
            (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}));
}

TEST(DibTest, AV5HeaderKeepsItsMasksInsideAndItsAlpha) {
  std::string dib = InfoHeader(1, 1, 32, 3, 0, 124);
  auto put_at = [&](std::size_t at, std::uint32_t value) {
    std::string bytes;
    Put32(bytes, value);
    dib.replace(at, 4, bytes);
  };
  put_at(40, 0x000000FF);  // red in the low byte, as some programs offer it
  put_at(44, 0x0000FF00);
  put_at(48, 0x00FF0000);
  put_at(52, 0xFF000000);
  Put32(dib, 0x80332211);
  EXPECT_EQ(MeasureDib(dib).pixel_offset, 124u);
  auto pixels = DecodeDib(dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb, (std::vector<std::uint32_t>{0x80112233}));
}

TEST(DibTest, PalettesLieBetweenHeaderAndRows) {
  // 4-bit, two colours used: black and orange.
  std::string dib = InfoHeader(3, 1, 4, 0, 2);
  Put32(dib, 0x00000000);
  Put32(dib, 0x00FFA500);          // stored blue, green, red: orange
  dib += static_cast<char>(0x01);  // pixels 0, 1
  dib += static_cast<char>(0x00);  // pixel 0, padding
  dib += std::string(2, '\0');
  EXPECT_EQ(MeasureDib(dib).pixel_offset, 48u);
  auto pixels = DecodeDib(dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb, (std::vector<std::uint32_t>{0xFF000000, 0xFFFFA500, 0xFF000000}));
}

TEST(DibTest, EightBitPicturesWithoutAColourCountUseAFullPalette) {
  std::string dib = InfoHeader(1, 1, 8, 0);
  dib += std::string(256 * 4, '\0');
  dib += std::string(4, '\0');
  EXPECT_EQ(MeasureDib(dib).pixel_offset, 40u + 1024u);
}

// The verdict on a DIB and what the three ways of taking it make of it: a file and a trimmed
// picture when usable; nothing when broken; kOutOfMemory (the silent failure) when too large.
std::string VerdictOf(const std::string& dib) {
  const DibExtent extent = MeasureDib(dib);
  std::string seen;
  try {
    const Picture trimmed = PictureOfPackedDib(dib);
    const std::optional<std::string> file = BmpFile(Picture{dib});
    seen = !file ? "no file" : trimmed.dib.size() == extent.size ? "file" : "mismatch";
  } catch (const RuntimeError& error) {
    seen = "error " + std::to_string(static_cast<int>(error.number()));
  }
  switch (extent.verdict) {
    case DibVerdict::kUsable:
      return "usable, " + seen;
    case DibVerdict::kBroken:
      return "broken, " + seen;
    case DibVerdict::kTooLarge:
      return "too large, " + seen;
  }
  return "?";
}

// A 24-bit picture with all its rows.
std::string WithRows(std::string header, std::int64_t width, std::int64_t rows) {
  header.append(static_cast<std::size_t>((width * 3 + 3) / 4 * 4 * rows), '\0');
  return header;
}

TEST(DibTest, HeadersThatNoPictureHasAreBroken) {
  const std::string two_by_two = WithRows(InfoHeader(2, 2, 24, 0), 2, 2);
  EXPECT_EQ(VerdictOf(two_by_two), "usable, file");
  EXPECT_EQ(VerdictOf(""), "broken, no file");
  EXPECT_EQ(VerdictOf(std::string("\x28\0\0", 3)), "broken, no file");
  EXPECT_EQ(VerdictOf(two_by_two.substr(0, two_by_two.size() - 1)), "broken, no file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(-2, 2, 24, 0), 2, 2)), "broken, no file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, 0, 24, 0), 2, 2)), "broken, no file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, INT32_MIN, 24, 0), 2, 2)), "too large, error 7");
  for (int bits : {0, 2, 3, 64})
    EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, 2, bits, 0), 8, 2)), "broken, no file") << bits;
  for (std::uint32_t size : {0u, 39u, 41u, 64u, 0xFFFFFFFFu}) {
    std::string dib;
    Put32(dib, size);
    dib += two_by_two.substr(4);
    EXPECT_EQ(VerdictOf(dib + std::string(200, '\0')), "broken, no file") << size;
  }
  // JPEG inside, bit fields of 24 bits, run-length rows stored top-down.
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, 2, 0, 4), 2, 2)), "broken, no file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, 2, 24, 3), 4, 2)), "broken, no file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(2, -2, 8, 1), 2, 2)), "broken, no file");
}

TEST(DibTest, MasksAndPalettesMustFitTheBytesAndPalettesHoldAtMost256Colours) {
  std::string masks_cut = InfoHeader(1, 1, 32, 3) + std::string(8, '\0');  // 2 of 3 masks
  EXPECT_EQ(VerdictOf(masks_cut), "broken, no file");
  EXPECT_EQ(VerdictOf(masks_cut + std::string(8, '\0')), "usable, file");
  const std::string full_palette = InfoHeader(1, 1, 8, 0, 256) + std::string(256 * 4 + 4, '\0');
  EXPECT_EQ(VerdictOf(full_palette), "usable, file");
  EXPECT_EQ(VerdictOf(InfoHeader(1, 1, 8, 0, 257) + std::string(257 * 4 + 4, '\0')),
            "broken, no file");
  EXPECT_EQ(VerdictOf(InfoHeader(1, 1, 8, 0, 0xFFFFFFFF) + std::string(5000, '\0')),
            "broken, no file");
  EXPECT_EQ(VerdictOf(full_palette.substr(0, 40 + 255 * 4)), "broken, no file");
}

TEST(DibTest, PicturesOfUpTo16384PixelsOnASideAreTakenLargerOnesRefusedSilently) {
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(16384, 1, 24, 0), 16384, 1)), "usable, file");
  EXPECT_EQ(VerdictOf(WithRows(InfoHeader(1, -16384, 24, 0), 1, 16384)), "usable, file");
  // The header alone decides: nothing of the rows needs to be there.
  EXPECT_EQ(VerdictOf(InfoHeader(16385, 1, 24, 0)), "too large, error 7");
  EXPECT_EQ(VerdictOf(InfoHeader(1, -16385, 24, 0)), "too large, error 7");
  EXPECT_EQ(VerdictOf(InfoHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, 0)), "too large, error 7");
  std::string core_header;  // the old 12-byte header with its 16-bit sides
  Put32(core_header, 12);
  Put16(core_header, 0xFFFF);
  Put16(core_header, 1);
  Put16(core_header, 1);
  Put16(core_header, 24);
  EXPECT_EQ(VerdictOf(core_header), "too large, error 7");

  bool row_asked = false;
  const auto row = [&](int) -> const std::uint32_t* {
    row_asked = true;
    return nullptr;
  };
  EXPECT_THROW(DibFromRows(16385, 1, row), RuntimeError);
  EXPECT_THROW(DibFromRows(1, 16385, row), RuntimeError);
  EXPECT_TRUE(DibFromRows(0, 5, row).empty());
  EXPECT_TRUE(DibFromRows(5, -1, row).empty());
  EXPECT_FALSE(row_asked);
}

TEST(DibTest, AClipboardBlockIsCutToItsPicture) {
  const std::string dib = WithRows(InfoHeader(2, 2, 24, 0), 2, 2);
  EXPECT_EQ(PictureOfPackedDib(dib + std::string(16, '\xAB')).dib, dib);
  EXPECT_EQ(*BmpFile(Picture{dib + "tail"}), *BmpFile(Picture{dib}));
}

}  // namespace
}  // namespace clipnest
