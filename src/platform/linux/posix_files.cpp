#include "posix_files.h"

#include "errno_numbers.h"
#include "posix_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace clipnest {
namespace {

[[noreturn]] void Fail(int error) {
  throw RuntimeError(ErrorNumberOfErrno(error));
}

// Names with control characters (a pasted line break, say) cannot exist where the program's
// files are meant to be portable; they are refused before anything is opened.
void CheckName(const std::string& path) {
  if (std::any_of(path.begin(), path.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
    throw RuntimeError(ErrorNumber::kBadFileName);
  }
}

}  // namespace

std::string PosixFiles::ReadStart(const std::string& path, std::size_t count) {
  CheckName(path);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    Fail(errno);
  }
  std::string bytes(count, '\0');
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::read(fd, bytes.data() + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      Fail(error);
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

void PosixFiles::Append(const std::string& path, std::string_view bytes) {
  CheckName(path);
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) Fail(errno);
  struct stat before {};
  const bool sized = ::fstat(fd, &before) == 0;
  const bool written = WriteAll(fd, bytes);
  const int error = errno;
  // A failed save (a full disk, say) leaves the file as it was, not with part of the text.
  if (!written && sized && ::ftruncate(fd, before.st_size) != 0) {
    // Nothing more can be done for the file; the save fails with the write's error below.
  }
  if (::close(fd) != 0 && written) Fail(errno);
  if (!written) Fail(error);
}

void PosixFiles::Replace(const std::string& path, std::string_view bytes) {
  CheckName(path);
  const std::string target = ResolvedTarget(path);
  unsigned mode = NewFileMode();
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) Fail(EISDIR);
    if (::access(target.c_str(), W_OK) != 0) Fail(errno);
    mode = existing.st_mode & 07777;
  } else if (errno != ENOENT) {
    Fail(errno);
  }
  // The whole picture or nothing: a new file is renamed over the old one when it is complete.
  if (const int error = ReplaceFileAtomically(target, bytes, mode); error != 0) Fail(error);
}

}  // namespace clipnest
