#pragma once

#include "platform/runtime_error.h"

#include <functional>

namespace clipnest {

// Runs a save's steps under one error handler: the first step that fails abandons the rest.
// Returns the pending error number (kNone after a successful run).
ErrorNumber RunSaveSteps(const std::function<void()>& steps);

// The failures of a text save that play the Error cue: a missing folder, and text that the
// file's encoding cannot hold. Every other failure is silent.
inline bool TextSaveErrorIsHeard(ErrorNumber error) {
  return error == ErrorNumber::kPathNotFound || error == ErrorNumber::kTextNotRepresentable;
}

}  // namespace clipnest
