#pragma once

namespace clipnest {

// One running copy per user and X display: an exclusive lock on a file named after the display,
// held as long as the process lives. The kernel drops the lock when the process ends, however
// it ends, so no stale lock remains.
class SingleInstance {
 public:
  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock when it is free; true when another process holds it.
  bool AnotherIsRunning();

 private:
  int lock_fd_ = -1;
};

}  // namespace clipnest
