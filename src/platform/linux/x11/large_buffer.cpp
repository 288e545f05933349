#include "platform/linux/x11/large_buffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace clipnest::linux_backend {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// Advice only: where the kernel has no huge pages to give, nothing changes.
void AdviseHugePages(char* start, std::size_t size) {
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t first = (address + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (address + size) & ~(kHugePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

void ReserveLarge(std::string& bytes, std::size_t size) {
  if (bytes.capacity() >= size) return;
  // A new buffer, advised before the old bytes are copied into it.
  std::string larger;
  larger.reserve(std::max(size, 2 * bytes.capacity()));
  AdviseHugePages(larger.data(), larger.capacity());
  larger.append(bytes);
  bytes.swap(larger);
}

}  // namespace clipnest::linux_backend
