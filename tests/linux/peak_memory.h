#pragma once

#include <fstream>
#include <string>

namespace clipnest::test_support {

// The process's peak resident memory in KiB since the last ResetPeakMemory.
inline long PeakMemoryKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Starts the peak afresh from the memory resident now.
inline void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace clipnest::test_support
