#pragma once

#include <string>
#include <vector>

namespace clipnest::linux_backend {

// Where the lock of the running copy may be kept, and for which display.
struct InstanceLockPlaces {
  // The user's private runtime folders, in order: $XDG_RUNTIME_DIR, then /run/user/<uid>. Each is
  // used only when it is a real folder of this user that no one else may enter (mode 0700).
  std::vector<std::string> runtime_folders;
  // Where a private folder of this user is made when no runtime folder is usable.
  std::string shared_temp = "/tmp";
  // The DISPLAY value.
  std::string display;

  static InstanceLockPlaces FromEnvironment();
};

// One running copy per user and X display: an exclusive lock on a file named after the display
// in the user's private folder, held as long as the process lives. The kernel drops the lock when
// the process ends, however it ends, so no stale lock remains.
//
// The folder is the first usable runtime folder, else /tmp/clipnest-<uid>, made with mode 0700
// and used only while it is a real folder of this user with that mode. A name there that someone
// else took (a file, a link, another user's folder) is passed over for /tmp/clipnest-<uid>-1 and
// so on; a folder whose lock name is not a plain file of this user (a folder, a link, a FIFO) is
// passed over too. Every copy looks in the same order, so every copy meets the same lock.
//
// When no lock file can be had anywhere, a name in the abstract socket namespace (no file, gone
// with the process) stands in for it: held by a process of this user, another copy is running.
// Only when that name cannot be had either (another user took it, or there are no sockets) does
// the program start without knowing: two panels are better than a program that never starts
// because of something the user cannot see, and either panel can be closed.
class SingleInstance {
 public:
  explicit SingleInstance(InstanceLockPlaces places = InstanceLockPlaces::FromEnvironment());
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock when it is free; true when another copy holds it.
  bool AnotherIsRunning();
  // The lock file this copy holds; empty while it holds none (or only the socket name).
  const std::string& lock_path() const { return lock_path_; }

 private:
  InstanceLockPlaces places_;
  int lock_fd_ = -1;
  int socket_fd_ = -1;
  std::string lock_path_;
};

}  // namespace clipnest::linux_backend
