#include "transfer_pace.h"

#include <algorithm>
#include <cstdint>

namespace clipnest::linux_backend {

std::chrono::nanoseconds PaceDeadline(const SelectionLimits& limits, std::size_t bytes,
                                      std::chrono::nanoseconds moved_at) {
  if (bytes > limits.largest_transfer) return std::chrono::nanoseconds{0};
  // The time the bytes buy at the minimum pace, rounded up to whole nanoseconds, in integers so
  // that the rule holds to the nanosecond (neither product can overflow within the limits).
  constexpr std::uint64_t kPerSecond = 1'000'000'000;
  const std::uint64_t pace = limits.minimum_pace;
  const std::uint64_t bought =
      bytes / pace * kPerSecond + (bytes % pace * kPerSecond + pace - 1) / pace;
  const std::chrono::nanoseconds grace = limits.grace;
  const auto kept_pace = grace + std::chrono::nanoseconds{static_cast<std::int64_t>(bought)};
  const auto still_moving =
      std::max<std::chrono::nanoseconds>(grace, moved_at + std::chrono::seconds(1));
  return std::min(kept_pace, still_moving);
}

}  // namespace clipnest::linux_backend
