#pragma once

#include <string>

namespace clipnest {

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  // The folder of the running executable, without a trailing separator.
  virtual std::string ExecutableFolder() = 0;
  // True when another copy of the program runs for this user (and display).
  virtual bool AnotherInstanceRunning() = 0;
  // Ends the program at once, closing every window.
  [[noreturn]] virtual void EndProcess() = 0;
};

}  // namespace clipnest
