// Pictures from other programs, broken at random: every header is refused the right way, nothing
// crashes, and nothing is allocated beyond the size of the picture's own bytes.
#include "allocation_watch.h"
#include "headless/dib_bytes.h"
#include "platform/dib.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace clipnest {
namespace {

using test_support::AllocationWatch;
using test_support::Get32;
using test_support::InfoHeader;
using test_support::Put16;
using test_support::Put32;

// One well-formed picture of each layout, the starting points of the mutations.
std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  seeds.push_back(InfoHeader(2, 2, 24, 0) + std::string(16, '\x11'));
  seeds.push_back(InfoHeader(2, -2, 32, 0) + std::string(16, '\x22'));
  std::string bit_fields = InfoHeader(3, 2, 16, 3);
  for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) Put32(bit_fields, mask);
  seeds.push_back(bit_fields + std::string(16, '\x33'));
  seeds.push_back(InfoHeader(1, 1, 32, 3, 0, 124) + std::string(4, '\x44'));
  seeds.push_back(InfoHeader(3, 1, 4, 0, 2) + std::string(2 * 4 + 4, '\x55'));
  seeds.push_back(InfoHeader(1, 1, 8, 0) + std::string(256 * 4 + 4, '\x66'));
  std::string run_length = InfoHeader(4, 2, 8, 1, 1);
  run_length.replace(20, 4, std::string("\x06\0\0\0", 4));  // six bytes of runs
  seeds.push_back(run_length + std::string(4, '\0') + std::string("\x04\x00\x00\x00\x00\x01", 6));
  std::string core;  // the 12-byte header of old programs, 1 bit a pixel
  Put32(core, 12);
  Put16(core, 9);
  Put16(core, 2);
  Put16(core, 1);
  Put16(core, 1);
  seeds.push_back(core + std::string(2 * 3 + 2 * 4, '\x77'));
  return seeds;
}

// Whether the header's own width or height fields (read here independently) say more than the
// largest picture.
bool HeaderSaysTooLarge(const std::string& dib) {
  if (dib.size() < 12) return false;
  std::int64_t width, height;
  if (Get32(dib, 0) == 12) {
    width = static_cast<unsigned char>(dib[4]) | static_cast<unsigned char>(dib[5]) << 8;
    height = static_cast<unsigned char>(dib[6]) | static_cast<unsigned char>(dib[7]) << 8;
  } else {
    width = static_cast<std::int32_t>(Get32(dib, 4));
    height = static_cast<std::int32_t>(Get32(dib, 8));
  }
  return width > kLargestPictureSide || height > kLargestPictureSide ||
         -height > kLargestPictureSide;
}

// Checks one DIB; returns its verdict.
DibVerdict ExpectRightRefusal(const std::string& dib) {
  DibExtent extent;
  {
    AllocationWatch watch;
    extent = MeasureDib(dib);
    EXPECT_EQ(watch.largest(), 0u);
  }
  Picture trimmed;
  std::optional<std::string> file;
  std::optional<ErrorNumber> error;
  {
    AllocationWatch watch;
    try {
      trimmed = PictureOfPackedDib(dib);
      file = BmpFile(Picture{dib});
    } catch (const RuntimeError& thrown) {
      error = thrown.number();
    }
    // Whatever the header claims, nothing larger than the bytes at hand with a file header (and
    // a string's closing zero).
    EXPECT_LE(watch.largest(), dib.size() + 14 + 1);
  }
  switch (extent.verdict) {
    case DibVerdict::kUsable:
      EXPECT_FALSE(error);
      EXPECT_FALSE(HeaderSaysTooLarge(dib));
      EXPECT_LE(extent.pixel_offset, extent.size);
      EXPECT_LE(extent.size, dib.size());
      EXPECT_EQ(trimmed.dib, dib.substr(0, extent.size));
      EXPECT_TRUE(file && file->size() == 14 + extent.size && Get32(*file, 2) == file->size() &&
                  Get32(*file, 10) == 14 + extent.pixel_offset);
      break;
    case DibVerdict::kTooLarge:
      EXPECT_EQ(error, ErrorNumber::kOutOfMemory);
      EXPECT_TRUE(HeaderSaysTooLarge(dib));
      break;
    case DibVerdict::kBroken:
      EXPECT_FALSE(error);
      EXPECT_TRUE(trimmed.empty());
      EXPECT_FALSE(file);
      break;
  }
  return extent.verdict;
}

TEST(DibFuzzTest, EveryCutOfAPictureIsBroken) {
  for (const std::string& seed : Seeds()) {
    ASSERT_EQ(ExpectRightRefusal(seed), DibVerdict::kUsable) << seed.size();
    for (std::size_t size = 0; size < seed.size(); ++size)
      ASSERT_EQ(ExpectRightRefusal(seed.substr(0, size)), DibVerdict::kBroken) << size;
  }
}

TEST(DibFuzzTest, RandomHeadersAreRefusedTheRightWay) {
  constexpr std::uint32_t kExtremes[] = {0,          1,          2,     12,    40,
                                         124,        256,        257,   16384, 16385,
                                         0x7FFFFFFF, 0x80000000, 65535, 65536, 0xFFFFFFFF};
  constexpr std::size_t kFields[] = {0, 4, 8, 12, 16, 20, 32, 40, 44};
  const std::vector<std::string> seeds = Seeds();
  std::mt19937 random(20261206);  // fixed: every run tries the same pictures
  std::map<DibVerdict, int> verdicts;
  for (int round = 0; round < 20000; ++round) {
    std::string dib = seeds[random() % seeds.size()];
    for (int edits = 1 + random() % 3; edits > 0; --edits) {
      switch (random() % 4) {
        case 0:  // a byte of the header
          dib[random() % std::min<std::size_t>(dib.size(), 56)] = static_cast<char>(random());
          break;
        case 1: {  // a field set to an extreme
          const std::size_t at = kFields[random() % std::size(kFields)];
          if (at + 4 > dib.size()) break;
          std::string value;
          Put32(value, kExtremes[random() % std::size(kExtremes)]);
          dib.replace(at, 4, value);
          break;
        }
        case 2:  // cut short
          dib.resize(random() % (dib.size() + 1));
          break;
        default:  // more bytes after it
          dib.append(random() % 64, static_cast<char>(random()));
          break;
      }
      if (dib.empty()) break;
    }
    ++verdicts[ExpectRightRefusal(dib)];
    if (HasFailure()) FAIL() << "round " << round << ", " << dib.size() << " bytes";
  }
  // The mutations reach every verdict often.
  EXPECT_GT(verdicts[DibVerdict::kUsable], 500);
  EXPECT_GT(verdicts[DibVerdict::kBroken], 500);
  EXPECT_GT(verdicts[DibVerdict::kTooLarge], 500);
}

}  // namespace
}  // namespace clipnest
