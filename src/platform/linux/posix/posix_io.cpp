#include "platform/linux/posix/posix_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace clipnest::linux_backend {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool ReadAll(const std::string& path, std::string& bytes, std::size_t limit) {
  // Opened without blocking, so that a FIFO or a device under the name fails at once.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  auto fail = [fd](int error) {
    ::close(fd);
    errno = error;
    return false;
  };
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(errno);
  if (!S_ISREG(info.st_mode)) return fail(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  if (static_cast<std::uint64_t>(info.st_size) > limit) return fail(EFBIG);
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(errno);
    if (got == 0) break;
    // A file that grows while it is read is still held to the bound.
    if (bytes.size() + static_cast<std::size_t>(got) > limit) return fail(EFBIG);
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

unsigned NewFileMode() {
  // The mask can only be read by setting it; set it straight back.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

std::string ResolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved)) return resolved;
  // A link to a file that does not exist yet: the write creates the file the link names rather
  // than replacing the link.
  std::string named(PATH_MAX, '\0');
  const ssize_t length = ::readlink(path.c_str(), named.data(), named.size());
  if (length <= 0) return path;
  named.resize(static_cast<std::size_t>(length));
  return named.front() == '/' ? named : FolderOf(path) + "/" + named;
}

namespace {
// A temporary is named ".clipnest-<writer's process id>-XXXXXX".
constexpr std::string_view kTemporaryPrefix = ".clipnest-";

// The process that wrote a temporary of this name; 0 when the name is not one of ours.
pid_t WriterOf(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return 0;
  name.remove_prefix(kTemporaryPrefix.size());
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9 || name.size() != dash + 7) return 0;
  pid_t pid = 0;
  for (char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}
}  // namespace

void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t writer = WriterOf(entry->d_name);
    // A writer that still lives (or that belongs to someone else) may be about to rename it.
    if (writer <= 0 || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode))
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

int ReplaceFileAtomically(const std::string& target, std::string_view bytes, unsigned mode) {
  return ReplaceFileAtomically(
      target, [bytes]() mutable { return std::exchange(bytes, std::string_view()); }, mode);
}

int ReplaceFileAtomically(const std::string& target, const std::function<std::string_view()>& next,
                          unsigned mode) {
  std::string temporary = FolderOf(target) + "/" + std::string(kTemporaryPrefix) +
                          std::to_string(::getpid()) + "-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  int error = 0;
  try {
    if (::fchmod(fd, static_cast<mode_t>(mode)) != 0) error = errno;
    for (std::string_view piece; error == 0 && !(piece = next()).empty();) {
      if (!WriteAll(fd, piece)) error = errno;
    }
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}

}  // namespace clipnest::linux_backend
