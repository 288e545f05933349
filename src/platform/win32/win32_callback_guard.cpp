#include "platform/win32/win32_callback_guard.h"

namespace clipnest::win32 {
namespace {
std::exception_ptr pending;
}  // namespace

void KeepPendingException(std::exception_ptr exception) {
  if (!pending) pending = std::move(exception);
}

void RethrowPendingException() {
  if (pending) std::rethrow_exception(std::exchange(pending, nullptr));
}

}  // namespace clipnest::win32
