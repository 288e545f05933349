// The clipboard reader against other programs' owners on a private Xvfb: whole texts and texts
// in pieces arrive byte for byte; owners that offer too much, stream without end or trickle are
// abandoned with the silent "cannot read the clipboard" number, within bounded time and memory.
#include "platform/linux/x11/x11_selection.h"
#include "peak_memory.h"
#include "platform/runtime_error.h"
#include "test_owner.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace clipnest::linux_backend {
namespace {

using namespace std::chrono_literals;
using test_support::OwnerBehaviour;
using test_support::TestOwner;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMiB = std::size_t{1} << 20;

class X11SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { test_support::XSession::Get(); }

  // The text of the owner's UTF8_STRING through a reader with these limits.
  static std::string Read(const OwnerBehaviour& behaviour, SelectionLimits limits = {}) {
    TestOwner owner(behaviour);
    X11Selection reader(limits);
    if (!reader.Begin()) return "no owner";
    return reader.Fetch("UTF8_STRING").value_or("refused");
  }

  // Whether the reading is abandoned as a clipboard that cannot be read.
  static bool Abandoned(const OwnerBehaviour& behaviour, SelectionLimits limits = {}) {
    try {
      Read(behaviour, limits);
    } catch (const RuntimeError& error) {
      return error.number() == ErrorNumber::kCantOpenClipboard;
    }
    return false;
  }

  static OwnerBehaviour InPieces(std::size_t piece_size, std::size_t pieces,
                                 std::chrono::milliseconds pause = 0ms,
                                 std::uint32_t announced = 0) {
    return {.in_pieces = true,
            .announced_size = announced,
            .piece_size = piece_size,
            .pieces = pieces,
            .pause = pause};
  }

  static double SecondsOf(const std::function<void()>& run) {
    const auto started = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - started).count();
  }
};

TEST_F(X11SelectionTest, WholeTextsAndTextsInPiecesArriveByteForByte) {
  const std::string text("Привет\0мир\xFF", 17);
  EXPECT_EQ(Read({.text = text}), text);
  // Pieces of odd sizes, with no size announced, the size announced, and less announced than
  // comes.
  EXPECT_EQ(Read(InPieces(100'003, 7)), TestOwner::Pieces(100'003, 7));
  EXPECT_EQ(Read(InPieces(4'001, 3, 0ms, 12'003)), TestOwner::Pieces(4'001, 3));
  EXPECT_EQ(Read(InPieces(kMiB + 1, 5, 0ms, kMiB)), TestOwner::Pieces(kMiB + 1, 5));
}

TEST_F(X11SelectionTest, NoTransferGoesBeyondTheLargestAllowed) {
  const SelectionLimits limits{.largest_transfer = kMiB};
  EXPECT_EQ(Read({.text = std::string(kMiB, 'w')}, limits), std::string(kMiB, 'w'));
  EXPECT_EQ(Read(InPieces(kMiB / 4, 4), limits), TestOwner::Pieces(kMiB / 4, 4));
  EXPECT_TRUE(Abandoned({.text = std::string(kMiB + 1, 'w')}, limits));
  EXPECT_TRUE(Abandoned(InPieces(kMiB / 4 + 1, 4), limits));
  // An announcement is the least that will come: one above the largest is refused at once.
  EXPECT_TRUE(Abandoned(InPieces(10, 1, 0ms, kMiB + 1), limits));
  EXPECT_TRUE(Abandoned(InPieces(10, 1, 0ms, 0xFFFFFFFFu)));
}

// The hostile owners below would go on far longer than a reader should wait; they stop at last
// only so that a reader without its bounds fails here rather than hangs.

TEST_F(X11SelectionTest, AnOwnerThatStreamsOnAndOnIsAbandonedInBoundedMemory) {
  const SelectionLimits limits{.largest_transfer = 32 * kMiB};
  test_support::ResetPeakMemory();
  const long before = test_support::PeakMemoryKiB();
  bool abandoned = false;
  const double seconds = SecondsOf([&] { abandoned = Abandoned(InPieces(kMiB, 96), limits); });
  EXPECT_TRUE(abandoned);
  EXPECT_LT(seconds, 3);
  // The largest transfer, and a piece or two on their way.
  EXPECT_LT(test_support::PeakMemoryKiB() - before, 40 * 1024);
}

TEST_F(X11SelectionTest, ATransferMustKeepItsPaceOnceTheGraceIsOver) {
  // A byte every 200 ms: abandoned once the grace is over, not before.
  bool abandoned = false;
  double seconds = SecondsOf([&] { abandoned = Abandoned(InPieces(1, 25, 200ms)); });
  EXPECT_TRUE(abandoned);
  EXPECT_GT(seconds, SelectionLimits{}.grace.count() / 1000.0 - 0.1);
  EXPECT_LT(seconds, 2.5);
  // 8 MiB at once would keep an average of 4 MiB/s for 2 s; a byte every 100 ms after them
  // stands still.
  OwnerBehaviour fast_start = InPieces(1, 25, 100ms);
  fast_start.prompt_pieces = 8;
  fast_start.prompt_size = kMiB;
  seconds = SecondsOf(
      [&] { abandoned = Abandoned(fast_start, {.grace = 300ms, .minimum_pace = 4 * kMiB}); });
  EXPECT_TRUE(abandoned);
  EXPECT_LT(seconds, 1.8);
  // 256 KiB every 50 ms keeps a pace of 1 MiB/s for 1.5 s; 16 KiB every 50 ms does not.
  const SelectionLimits paced{.grace = 300ms, .minimum_pace = kMiB};
  EXPECT_EQ(Read(InPieces(kMiB / 4, 30, 50ms), paced), TestOwner::Pieces(kMiB / 4, 30));
  EXPECT_TRUE(Abandoned(InPieces(kMiB / 64, 30, 50ms), paced));
}

}  // namespace
}  // namespace clipnest::linux_backend
