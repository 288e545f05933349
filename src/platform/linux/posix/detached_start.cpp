#include "platform/linux/posix/detached_start.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

namespace clipnest::linux_backend {

void StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  // Everything the child needs is made before the fork: between fork and exec a threaded
  // program may only make async-signal-safe calls.
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;

  const pid_t child = ::fork();
  if (child == 0) {
    // The child starts the tool in a new session and ends at once, so the tool is adopted by
    // the system and never becomes this program's zombie.
    ::setsid();
    if (::fork() == 0) {
      ::dup2(null, STDIN_FILENO);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
      if (::syscall(SYS_close_range, 3u, ~0u, 0u) != 0) {
        for (int fd = 3; fd < 1024; ++fd) ::close(fd);
      }
      ::execve(program.c_str(), argv.data(), environ);
      ::_exit(127);
    }
    ::_exit(0);
  }
  ::close(null);
  if (child > 0) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
}

}  // namespace clipnest::linux_backend
