#pragma once

#include <chrono>
#include <cstddef>

namespace clipnest::linux_backend {

// What one reading of the clipboard may cost before it is abandoned.
struct SelectionLimits {
  // An owner that does not answer costs about this much, in all, per reading; a transfer in
  // pieces waits this long at most for each piece.
  std::chrono::milliseconds patience{1000};
  // The most bytes one transfer may bring; an owner that offers or sends more is not read.
  std::size_t largest_transfer = std::size_t{512} << 20;
  // A transfer in pieces may take this long from the reading's start whatever its pace; then
  // it must have brought this many bytes a second for the time beyond the grace...
  std::chrono::milliseconds grace{1500};
  std::size_t minimum_pace = std::size_t{64} << 20;
  // ...and each second must bring this many more: a transfer that trickles after a fast start
  // stands still.
  std::size_t least_in_a_second = std::size_t{1} << 20;
};

// The pace rule of a transfer in pieces: the time from the reading's start at which a transfer
// that has brought `bytes`, the last `least_in_a_second` of them by `moved_at`, is abandoned if
// no more comes. At once beyond the largest transfer; otherwise not before the grace, and then
// as soon as its bytes fall behind the minimum pace or a second has passed since `moved_at`.
// The limits' pace is at least a byte a second and their largest transfer at most 4 GiB.
std::chrono::nanoseconds PaceDeadline(const SelectionLimits& limits, std::size_t bytes,
                                      std::chrono::nanoseconds moved_at);

}  // namespace clipnest::linux_backend
