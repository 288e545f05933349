#pragma once

#include <cstddef>

namespace clipnest::test_support {

// Records the largest single allocation that this thread makes while the watch lives, through
// the test program's own global operator new.
class AllocationWatch {
 public:
  AllocationWatch();
  ~AllocationWatch();
  AllocationWatch(const AllocationWatch&) = delete;
  AllocationWatch& operator=(const AllocationWatch&) = delete;

  std::size_t largest() const;
};

}  // namespace clipnest::test_support
