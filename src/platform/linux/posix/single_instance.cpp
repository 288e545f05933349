#include "platform/linux/posix/single_instance.h"

#include "platform/linux/x11/display_name.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace clipnest::linux_backend {
namespace {

// Spare names under the shared temporary folder, for when the first is taken by someone else.
constexpr int kSpareTempFolders = 7;

enum class Lock { kTaken, kHeldByAnother, kUnusable };

// The display as a part of a file name.
std::string FileNamePart(const std::string& display) {
  std::string name = display;
  for (char& c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == ':' || c == '.' || c == '-';
    if (!plain) c = '_';
  }
  return name;
}

// An open descriptor of the folder when it is a real folder (not a link) of this user that no one
// else may enter; -1 otherwise. A missing folder is made first when `make` is set.
int OpenPrivateFolder(const std::string& path, bool make) {
  if (path.empty() || path.front() != '/') return -1;
  if (make && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Takes the lock on the file `name` in the folder, made when missing. Unusable when the name is
// not a plain file of this user.
Lock LockFileIn(int folder_fd, const std::string& name, int& lock_fd) {
  // Close-on-exec: a program started from the panel must not inherit the lock. No waiting on a
  // FIFO, no following of a link.
  const int fd = ::openat(folder_fd, name.c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
  if (fd < 0) return Lock::kUnusable;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
    ::close(fd);
    return Lock::kUnusable;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    lock_fd = fd;
    return Lock::kTaken;
  }
  const bool held = errno == EWOULDBLOCK;
  ::close(fd);
  return held ? Lock::kHeldByAnother : Lock::kUnusable;
}

// The stand-in for the lock file: a name in the abstract socket namespace, bound and listened on
// for the life of the process.
Lock LockSocketName(const std::string& name, int& socket_fd) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // The leading zero byte puts the name in the abstract namespace.
  const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
  std::memcpy(address.sun_path + 1, name.data(), length);
  const auto address_size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  const auto* generic = reinterpret_cast<const sockaddr*>(&address);

  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return Lock::kUnusable;
  if (::bind(fd, generic, address_size) == 0 && ::listen(fd, SOMAXCONN) == 0) {
    socket_fd = fd;
    return Lock::kTaken;
  }
  const bool in_use = errno == EADDRINUSE;
  ::close(fd);
  if (!in_use) return Lock::kUnusable;
  // Whose is it? Only a process of this user counts as another copy.
  const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (probe < 0) return Lock::kUnusable;
  ucred holder{};
  socklen_t holder_size = sizeof holder;
  const bool ours = ::connect(probe, generic, address_size) == 0 &&
                    ::getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &holder, &holder_size) == 0 &&
                    holder.uid == ::geteuid();
  ::close(probe);
  return ours ? Lock::kHeldByAnother : Lock::kUnusable;
}

}  // namespace

InstanceLockPlaces InstanceLockPlaces::FromEnvironment() {
  InstanceLockPlaces places;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    places.runtime_folders.emplace_back(runtime);
  }
  // The usual runtime folder, also for a copy started where the variable is not set.
  const std::string usual = "/run/user/" + std::to_string(::geteuid());
  if (places.runtime_folders.empty() || places.runtime_folders.front() != usual) {
    places.runtime_folders.push_back(usual);
  }
  const char* display = std::getenv("DISPLAY");
  places.display = display ? display : "";
  return places;
}

SingleInstance::SingleInstance(InstanceLockPlaces places) : places_(std::move(places)) {}

SingleInstance::~SingleInstance() {
  if (lock_fd_ >= 0) ::close(lock_fd_);
  if (socket_fd_ >= 0) ::close(socket_fd_);
}

bool SingleInstance::AnotherIsRunning() {
  if (lock_fd_ >= 0 || socket_fd_ >= 0) return false;
  const std::string display = CanonicalDisplay(places_.display);
  const std::string lock_name = "clipnest-" + FileNamePart(display) + ".lock";

  std::vector<std::pair<std::string, bool>> folders;  // the folder, and whether to make it
  for (const std::string& runtime : places_.runtime_folders) folders.emplace_back(runtime, false);
  const std::string temp_folder = places_.shared_temp + "/clipnest-" + std::to_string(::geteuid());
  folders.emplace_back(temp_folder, true);
  for (int spare = 1; spare <= kSpareTempFolders; ++spare)
    folders.emplace_back(temp_folder + "-" + std::to_string(spare), true);

  for (const auto& [folder, make] : folders) {
    const int folder_fd = OpenPrivateFolder(folder, make);
    if (folder_fd < 0) continue;
    const Lock lock = LockFileIn(folder_fd, lock_name, lock_fd_);
    ::close(folder_fd);
    if (lock == Lock::kTaken) lock_path_ = folder + "/" + lock_name;
    if (lock != Lock::kUnusable) return lock == Lock::kHeldByAnother;
  }
  const std::string socket_name = "clipnest-" + std::to_string(::geteuid()) + "-" + display;
  return LockSocketName(socket_name, socket_fd_) == Lock::kHeldByAnother;
}

}  // namespace clipnest::linux_backend
