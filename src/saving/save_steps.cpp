#include "saving/save_steps.h"

#include <new>

namespace clipnest {

ErrorNumber RunSaveSteps(const std::function<void()>& steps) {
  try {
    steps();
  } catch (const RuntimeError& error) {
    return error.number();
  } catch (const std::bad_alloc&) {
    // A clipboard or a file too large for memory: the save fails silently like any other
    // failure.
    return ErrorNumber::kOutOfMemory;
  }
  return ErrorNumber::kNone;
}

}  // namespace clipnest
