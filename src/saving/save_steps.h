#pragma once

#include "platform/runtime_error.h"

#include <functional>

namespace clipnest {

// Runs a save's steps under one error handler: the first step that fails abandons the rest.
// Returns the pending error number (kNone after a successful run).
ErrorNumber RunSaveSteps(const std::function<void()>& steps);

// The failure of a text save that plays the Error cue: a missing folder. Every other failure is
// silent.
inline bool TextSaveErrorIsHeard(ErrorNumber error) {
  return error == ErrorNumber::kPathNotFound;
}

}  // namespace clipnest
