// Pictures as packed DIBs: the BMP file's header and pixel offset, and reading the pixels back
// from every layout a clipboard may hand over.
#include "platform/dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace clipnest {
namespace {

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

// A BITMAPINFOHEADER (or a V5 header of 124 bytes) for the tests' hand-made pictures.
std::string InfoHeader(int width, int height, int bits, std::uint32_t compression,
                       std::uint32_t colours_used = 0, std::uint32_t size = 40) {
  std::string header;
  Put32(header, size);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  Put16(header, 1);
  Put16(header, static_cast<std::uint16_t>(bits));
  Put32(header, compression);
  Put32(header, 0);
  Put32(header, 0);
  Put32(header, 0);
  Put32(header, colours_used);
  Put32(header, 0);
  header.resize(size, '\0');
  return header;
}

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
  EXPECT_EQ(DibPixelOffset(dib), 52u);
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
  EXPECT_EQ(DibPixelOffset(dib), 124u);
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
  EXPECT_EQ(DibPixelOffset(dib), 48u);
  auto pixels = DecodeDib(dib);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->argb, (std::vector<std::uint32_t>{0xFF000000, 0xFFFFA500, 0xFF000000}));
}

TEST(DibTest, EightBitPicturesWithoutAColourCountUseAFullPalette) {
  std::string dib = InfoHeader(1, 1, 8, 0);
  dib += std::string(256 * 4, '\0');
  dib += std::string(4, '\0');
  EXPECT_EQ(DibPixelOffset(dib), 40u + 1024u);
}

TEST(DibTest, EmptyOrBrokenPicturesGiveNoFile) {
  EXPECT_FALSE(BmpFile(Picture{}));
  EXPECT_FALSE(BmpFile(Picture{"\x28\0\0"}));
  std::string short_palette = InfoHeader(2, 2, 8, 0);  // the palette is missing
  EXPECT_FALSE(BmpFile(Picture{short_palette}));
  EXPECT_FALSE(DecodeDib(InfoHeader(4, 4, 24, 0)));  // the rows are missing
}

}  // namespace
}  // namespace clipnest
