// The clipboard transfer's pace rule without X: when a transfer in pieces that brings nothing
// more is abandoned, from the reading's start.
#include "platform/linux/x11/transfer_pace.h"

#include <gtest/gtest.h>

namespace clipnest::linux_backend {
namespace {

using namespace std::chrono_literals;
constexpr std::size_t kMiB = std::size_t{1} << 20;

TEST(TransferPaceTest, AfterTheGraceATransferKeepsThePaceAndMovesEverySecond) {
  const SelectionLimits limits;  // 1.5 s of grace, then 64 MiB/s and a MiB a second
  EXPECT_EQ(PaceDeadline(limits, 0, 0ms), 1500ms);             // nothing comes at all
  EXPECT_EQ(PaceDeadline(limits, 256 * kMiB, 3s), 4s);         // fast: a second after its last MiB
  EXPECT_EQ(PaceDeadline(limits, 256 * kMiB, 200ms), 1500ms);  // a fast start, then a trickle
  EXPECT_EQ(PaceDeadline(limits, 256 * kMiB, 900ms), 1900ms);
  EXPECT_EQ(PaceDeadline(limits, 32 * kMiB, 2s), 2s);        // slow: 0.5 s of pace bought
  EXPECT_EQ(PaceDeadline(limits, 1, 1s), 1500ms + 15ns);     // rounded up to the nanosecond
  EXPECT_EQ(PaceDeadline(limits, 512 * kMiB, 9s), 9500ms);   // the largest transfer in time
  EXPECT_EQ(PaceDeadline(limits, 512 * kMiB + 1, 9s), 0ns);  // one byte more: at once
  const SelectionLimits slow{.grace = 300ms, .minimum_pace = 4 * kMiB};
  EXPECT_EQ(PaceDeadline(slow, 8 * kMiB, 100ms), 1100ms);
  EXPECT_EQ(PaceDeadline(slow, 2 * kMiB, 100ms), 800ms);
}

}  // namespace
}  // namespace clipnest::linux_backend
