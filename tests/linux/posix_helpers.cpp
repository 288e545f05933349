#include "posix_helpers.h"

#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <stdexcept>

namespace clipnest::test_support {

namespace fs = std::filesystem;

unsigned PermissionBits(const std::string& path) {
  return static_cast<unsigned>(fs::status(path).permissions()) & 07777u;
}

int DescriptorsOpenOn(const std::string& path) {
  const fs::path file = fs::weakly_canonical(path);
  int count = 0;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    if (fs::read_symlink(entry.path(), ignored) == file) ++count;
  }
  return count;
}

std::string RunInChild(const std::function<std::string()>& body) {
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
    const bool written =
        ::write(pipe_ends[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(pipe_ends[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child process failed";
  return result;
}

}  // namespace clipnest::test_support
