#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace clipnest {
namespace {

// ":0.0" and ":0" are the same display; the screen number does not matter.
std::string DisplayName() {
  const char* display = std::getenv("DISPLAY");
  std::string name = display ? display : "";
  const std::size_t colon = name.rfind(':');
  const std::size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
  if (colon != std::string::npos && dot != std::string::npos) name.resize(dot);
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == ':' || c == '.' || c == '-';
    if (!plain) c = '_';
  }
  return name;
}

// $XDG_RUNTIME_DIR, or a private folder of this user under /tmp; empty when neither is usable.
std::string LockFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    struct stat info {};
    if (::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return runtime;
  }
  const std::string folder = "/tmp/clipnest-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  // Someone else's folder (or a link planted there) is not ours to trust.
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
    return {};
  }
  return folder;
}

}  // namespace

SingleInstance::~SingleInstance() {
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool SingleInstance::AnotherIsRunning() {
  if (lock_fd_ >= 0) return false;
  const std::string folder = LockFolder();
  if (folder.empty()) return false;
  const std::string path = folder + "/clipnest-" + DisplayName() + ".lock";
  // Close-on-exec: a program started from the panel must not inherit the lock.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held;
  }
  lock_fd_ = fd;
  return false;
}

}  // namespace clipnest
