// Pictures from other programs, broken at random with a fixed seed: every one is refused the
// right way, nothing crashes, and nothing larger than the picture's own bytes is allocated.
#include "headless/dib_bytes.h"
#include "platform/dib.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

// Set by the test program's own operator new (largest_allocation.cpp).
namespace clipnest::test_support {
extern thread_local bool watching_allocations;
extern thread_local std::size_t largest_allocation;
}  // namespace clipnest::test_support

namespace clipnest {
namespace {

using test_support::Get32;
using test_support::InfoHeader;
using test_support::Put16;
using test_support::Put32;

// Whether the header's own width or height, read here on their own, is beyond the largest picture.
bool SaysTooLarge(const std::string& dib) {
  if (dib.size() < 12) return false;
  if (Get32(dib, 0) == 12) return (Get32(dib, 4) & 0xFFFF) > 16384 || Get32(dib, 4) >> 16 > 16384;
  const std::int64_t width = static_cast<std::int32_t>(Get32(dib, 4));
  const std::int64_t height = static_cast<std::int32_t>(Get32(dib, 8));
  return width > 16384 || height > 16384 || height < -16384;
}

// The verdict on a DIB, after checking that taking it agrees with the verdict and allocates no
// more than the DIB's bytes and a file header (and a string's closing zero).
DibVerdict Checked(const std::string& dib) {
  test_support::watching_allocations = true;
  test_support::largest_allocation = 0;
  const DibExtent extent = MeasureDib(dib);
  std::optional<std::string> file;
  int error = 0;
  try {
    file = BmpFile(Picture{dib});
  } catch (const RuntimeError& thrown) {
    error = static_cast<int>(thrown.number());
  }
  test_support::watching_allocations = false;
  EXPECT_LE(test_support::largest_allocation, dib.size() + 14 + 1);
  switch (extent.verdict) {
    case DibVerdict::kUsable:
      EXPECT_TRUE(file && file->size() == 14 + extent.size && extent.size <= dib.size() &&
                  Get32(*file, 10) == 14 + extent.pixel_offset && !SaysTooLarge(dib));
      break;
    case DibVerdict::kTooLarge:
      EXPECT_TRUE(error == 7 && SaysTooLarge(dib));
      break;
    case DibVerdict::kBroken:
      EXPECT_TRUE(!file && error == 0);
      break;
  }
  return extent.verdict;
}

TEST(DibFuzzTest, CutAndMutatedHeadersAreRefusedTheRightWay) {
  // One well-formed picture of each layout: a header, then `size` bytes of masks, palette, rows.
  const auto seed = [](std::string header, std::size_t size) {
    header.append(size, '\x11');
    return header;
  };
  std::string run_length = InfoHeader(4, 2, 8, 1, 1);
  run_length[20] = 6;  // six bytes of runs after one palette entry
  std::string core;    // the old 12-byte header, 9 x 2 pixels of 1 bit
  for (std::uint16_t field : {12, 0, 9, 2, 1, 1}) Put16(core, field);
  const std::string seeds[] = {
      seed(InfoHeader(2, -2, 24, 0), 16),
      seed(InfoHeader(3, 2, 16, 3), 12 + 16),
      seed(InfoHeader(1, 1, 32, 3, 0, 124), 4),
      seed(InfoHeader(1, 1, 8, 0), 1024 + 4),
      seed(run_length, 4 + 6),
      seed(core, 6 + 8),
  };
  for (const std::string& seed : seeds) {
    ASSERT_EQ(Checked(seed), DibVerdict::kUsable) << seed.size();
    for (std::size_t size = 0; size < seed.size(); ++size)
      ASSERT_EQ(Checked(seed.substr(0, size)), DibVerdict::kBroken) << size;
  }

  constexpr std::uint32_t kExtremes[] = {0,   1,     12,    40,         124,        256,
                                         257, 16384, 16385, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
  std::mt19937 random(20261206);
  std::map<DibVerdict, int> verdicts;
  for (int round = 0; round < 20000 && !HasFailure(); ++round) {
    std::string dib = seeds[random() % std::size(seeds)];
    for (int edits = 1 + random() % 3; edits > 0 && !dib.empty(); --edits) {
      const std::size_t at = random() % std::min<std::size_t>(dib.size(), 56);
      if (random() % 2 == 0) {
        dib[at] = static_cast<char>(random());
      } else if (at % 4 == 0 && at + 4 <= dib.size()) {
        std::string field;
        Put32(field, kExtremes[random() % std::size(kExtremes)]);
        dib.replace(at, 4, field);
      } else {
        dib.resize(random() % (dib.size() + 1));
      }
    }
    ++verdicts[Checked(dib)];
  }
  // The mutations reach every verdict often.
  EXPECT_GT(verdicts[DibVerdict::kUsable], 500);
  EXPECT_GT(verdicts[DibVerdict::kBroken], 500);
  EXPECT_GT(verdicts[DibVerdict::kTooLarge], 500);
}

}  // namespace
}  // namespace clipnest
