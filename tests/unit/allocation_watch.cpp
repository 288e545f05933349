#include "allocation_watch.h"

#include <cstdlib>
#include <new>

namespace {
thread_local int watches = 0;
thread_local std::size_t largest_allocation = 0;
}  // namespace

// Every other form of new and delete of the standard library ends in these two.
void* operator new(std::size_t size) {
  if (watches > 0 && size > largest_allocation) largest_allocation = size;
  for (;;) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace clipnest::test_support {

AllocationWatch::AllocationWatch() {
  if (watches++ == 0) largest_allocation = 0;
}
AllocationWatch::~AllocationWatch() {
  --watches;
}
std::size_t AllocationWatch::largest() const {
  return largest_allocation;
}

}  // namespace clipnest::test_support
