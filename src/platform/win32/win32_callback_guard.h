#pragma once

#include <exception>
#include <utility>

namespace clipnest::win32 {

// An exception must not unwind through the system's frames between a window procedure and the
// message loop: it is caught at the procedure and thrown again by the loop.
void KeepPendingException(std::exception_ptr exception);
void RethrowPendingException();

template <typename Callback>
void Guarded(Callback&& callback) {
  try {
    std::forward<Callback>(callback)();
  } catch (...) {
    KeepPendingException(std::current_exception());
  }
}

}  // namespace clipnest::win32
