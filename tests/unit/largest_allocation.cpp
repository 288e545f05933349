// The test program's own operator new: it notes the largest single allocation of a thread while
// that thread watches. Every other form of new and delete of the library ends in these.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace clipnest::test_support {
thread_local bool watching_allocations = false;
thread_local std::size_t largest_allocation = 0;
}  // namespace clipnest::test_support

void* operator new(std::size_t size) {
  using namespace clipnest::test_support;
  if (watching_allocations && size > largest_allocation) largest_allocation = size;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
