#pragma once

#include "platform/runtime_error.h"

namespace clipnest::linux_backend {

// The run-time error number a file operation reports for a failure of the C library.
ErrorNumber ErrorNumberOfErrno(int error);

}  // namespace clipnest::linux_backend
