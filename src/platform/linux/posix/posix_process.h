#pragma once

#include "platform/process_control.h"

namespace clipnest::linux_backend {

class SingleInstance;

class PosixProcess : public ProcessControl {
 public:
  explicit PosixProcess(SingleInstance& instance) : instance_(instance) {}

  std::string ExecutableFolder() override;
  bool AnotherInstanceRunning() override;
  [[noreturn]] void EndProcess() override;

 private:
  SingleInstance& instance_;
};

}  // namespace clipnest::linux_backend
