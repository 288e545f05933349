#pragma once

#include "platform/process_control.h"

#include <optional>

namespace clipnest::win32 {

class Win32ProcessControl : public ProcessControl {
 public:
  std::string ExecutableFolder() override;
  bool AnotherInstanceRunning() override;
  [[noreturn]] void EndProcess() override;

 private:
  // Found once: the mutex made by the first question stays open for the process's life, so
  // asking again must not see our own mutex.
  std::optional<bool> another_instance_;
};

}  // namespace clipnest::win32
