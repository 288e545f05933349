#include "platform/linux/posix/posix_process.h"

#include "platform/linux/posix/single_instance.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

namespace clipnest::linux_backend {

std::string PosixProcess::ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string executable(path, static_cast<std::size_t>(length));
  const std::size_t slash = executable.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return executable.substr(0, slash);
}

bool PosixProcess::AnotherInstanceRunning() {
  return instance_.AnotherIsRunning();
}

void PosixProcess::EndProcess() {
  // Every window goes with the X connection; nothing else needs an orderly shutdown.
  std::fflush(nullptr);
  ::_exit(0);
}

}  // namespace clipnest::linux_backend
