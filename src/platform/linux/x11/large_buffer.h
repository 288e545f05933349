#pragma once

#include <cstddef>
#include <string>

namespace clipnest::linux_backend {

// Makes room for at least `size` bytes in `bytes` (at least twice its room before, when it
// grows), in memory that the kernel may back with huge pages: filling many megabytes then costs
// a few page faults instead of one for every 4 KiB.
void ReserveLarge(std::string& bytes, std::size_t size);

}  // namespace clipnest::linux_backend
