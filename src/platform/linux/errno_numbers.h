#pragma once

#include "platform/runtime_error.h"

namespace clipnest::x11 {

// The run-time error number a file operation reports for a failure of the C library.
ErrorNumber ErrorNumberOfErrno(int error);

}  // namespace clipnest::x11
