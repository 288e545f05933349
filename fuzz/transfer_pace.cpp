// The clipboard transfer's pace rule, against its plain statement: a transfer in pieces waits
// for its next piece while it holds no more than the largest transfer and, after the grace, its
// bytes keep the minimum pace for the time beyond the grace and the last second brought more.
#include "platform/linux/x11/transfer_pace.h"
#include "check.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace clipnest::linux_backend;
using std::chrono::nanoseconds;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  SelectionLimits limits;
  if (in.ConsumeBool()) {
    limits.largest_transfer = in.ConsumeIntegralInRange<std::size_t>(0, std::size_t{4} << 30);
    limits.grace = std::chrono::milliseconds(in.ConsumeIntegralInRange(0, 100'000));
    limits.minimum_pace = in.ConsumeIntegralInRange<std::size_t>(1, std::size_t{4} << 30);
  }
  const std::size_t bytes = in.ConsumeIntegralInRange<std::size_t>(0, limits.largest_transfer + 2);
  const nanoseconds elapsed{in.ConsumeIntegralInRange<std::int64_t>(0, 1'000'000'000'000)};
  const nanoseconds since_moved{in.ConsumeIntegralInRange<std::int64_t>(0, elapsed.count())};

  const nanoseconds beyond_grace = elapsed - nanoseconds(limits.grace);
  const bool keeps_pace = __int128(beyond_grace.count()) * __int128(limits.minimum_pace) <
                          __int128(bytes) * 1'000'000'000;
  const bool waits =
      bytes <= limits.largest_transfer &&
      (beyond_grace.count() < 0 || (keeps_pace && since_moved < std::chrono::seconds(1)));
  CHECK(waits == (elapsed < PaceDeadline(limits, bytes, elapsed - since_moved)));
  return 0;
}
