#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace clipnest::test_support {

inline unsigned PermissionBits(const std::string& path) {
  return static_cast<unsigned>(std::filesystem::status(path).permissions()) & 07777u;
}

// How many of this process's open descriptors refer to the file.
inline int DescriptorsOpenOn(const std::string& path) {
  const auto file = std::filesystem::weakly_canonical(path);
  int count = 0;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    count += std::filesystem::read_symlink(entry.path(), ignored) == file;
  return count;
}

// Puts this (child) process in a mount namespace of its own, inside a user namespace where the
// user is root when it may not make one otherwise; false when the system allows neither.
inline bool OwnMountNamespace() {
  const std::string uid = std::to_string(::geteuid()), gid = std::to_string(::getegid());
  if (::unshare(CLONE_NEWNS) != 0) {
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
  }
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Runs `body` in a forked child and returns what it returned; the child's changes to its own
// identity or mounts never reach the test process.
inline std::string RunInChild(const std::function<std::string()>& body) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(pipe_ends[0]);
    std::string result;
    try {
      result = body();
    } catch (const std::exception& error) {
      result = std::string("exception: ") + error.what();
    }
    const auto size = static_cast<ssize_t>(result.size());
    ::_exit(::write(pipe_ends[1], result.data(), result.size()) == size ? 0 : 1);
  }
  ::close(pipe_ends[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<std::size_t>(got));
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the child process failed";
}

}  // namespace clipnest::test_support
