#include "platform/linux/posix/posix_files.h"

#include "platform/linux/posix/errno_numbers.h"
#include "platform/linux/posix/posix_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace clipnest::linux_backend {
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

// A FIFO, a device or a socket under a save's name.
[[noreturn]] void FailNotAFile(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) Fail(EISDIR);
  throw RuntimeError(ErrorNumber::kPathFileAccess);
}

// An open regular file, closed when it goes out of scope.
class OpenFile {
 public:
  // Opens an existing file without waiting (a FIFO with no writer would block a plain open) and
  // makes sure it is a regular file before a byte moves. Not opened when the file is missing;
  // throws for every other failure.
  OpenFile(const std::string& path, int flags) {
    fd_ = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
      if (errno == ENOENT) return;
      Fail(errno);
    }
    if (::fstat(fd_, &info_) != 0) FailClosing(errno);
    if (!S_ISREG(info_.st_mode)) {
      Close();
      FailNotAFile(info_);
    }
    // Regular files never wait; the flag only mattered for the open.
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  }
  // Takes a descriptor just created for a new, empty file.
  explicit OpenFile(int created_fd) : fd_(created_fd) {}
  ~OpenFile() { Close(); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool opened() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  std::size_t size() const { return static_cast<std::size_t>(info_.st_size); }
  // 0, or the errno of a failed close.
  int Close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  [[noreturn]] void FailClosing(int error) {
    Close();
    Fail(error);
  }

  // Up to `count` bytes from the current position; `expected` sizes the first buffer.
  std::string Read(std::size_t count, std::size_t expected) {
    std::string bytes(std::min(count, expected), '\0');
    std::size_t got = 0;
    while (got < count) {
      if (got == bytes.size()) {
        bytes.resize(std::min(count, std::max<std::size_t>(bytes.size() * 2, 65536)));
      }
      const ssize_t n = ::read(fd_, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) FailClosing(errno);
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }

 private:
  int fd_ = -1;
  struct stat info_ {};
};

// Writes the pieces at the end of the file. A failure takes back what was written: the file is
// cut to its old size, or removed when this save created it, so that a full disk (or a piece
// that throws) leaves no partial or empty file behind.
void AppendTo(OpenFile& file, const Files::NextPiece& next, bool created, const std::string& path) {
  const off_t before = static_cast<off_t>(file.size());
  bool written = true;
  try {
    for (std::string_view piece; written && !(piece = next()).empty();) {
      written = WriteAll(file.fd(), piece);
    }
  } catch (...) {
    if (created) {
      ::unlink(path.c_str());
    } else if (::ftruncate(file.fd(), before) != 0) {
      // Nothing more can be done for the file.
    }
    throw;
  }
  int error = written ? 0 : errno;
  if (!written && !created && ::ftruncate(file.fd(), before) != 0) {
    // Nothing more can be done for the file; the save fails with the write's error below.
  }
  if (const int close_error = file.Close(); written && close_error != 0) {
    error = close_error;
    if (!created && ::truncate(path.c_str(), before) != 0) {
      // As above.
    }
  }
  if (error == 0) return;
  if (created) ::unlink(path.c_str());
  Fail(error);
}

}  // namespace

std::string PosixFiles::ReadStart(const std::string& path, std::size_t count) {
  CheckName(path);
  OpenFile file(path, O_RDONLY);
  if (!file.opened()) return {};
  return file.Read(count, count);
}

std::string PosixFiles::ReadWhole(const std::string& path, std::size_t limit) {
  CheckName(path);
  OpenFile file(path, O_RDONLY);
  if (!file.opened()) return {};
  if (file.size() > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
  // One byte more than the limit: a file that grows while it is read is still held to it.
  const std::size_t most = limit == static_cast<std::size_t>(-1) ? limit : limit + 1;
  std::string bytes = file.Read(most, file.size() + 1);
  if (bytes.size() > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
  return bytes;
}

void PosixFiles::Append(const std::string& path, std::string_view bytes) {
  AppendPieces(path, PiecesOf({bytes}));
}

void PosixFiles::AppendPieces(const std::string& path, const NextPiece& next) {
  CheckName(path);
  // A link to a file that does not exist yet creates the file it names.
  const std::string target = ResolvedTarget(path);
  // An existing file is opened as it is; a missing one is created exclusively, so that the
  // program knows it made the file and removes it again when the save fails. Another process
  // may create or remove the file in between: a few tries settle it.
  bool created = false;
  int created_fd = -1;
  for (int attempt = 0; attempt < 3; ++attempt) {
    OpenFile existing(target, O_WRONLY | O_APPEND);
    if (existing.opened()) {
      AppendTo(existing, next, false, target);
      return;
    }
    created_fd =
        ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (created_fd >= 0) {
      created = true;
      break;
    }
    if (errno != EEXIST) Fail(errno);
  }
  if (!created) Fail(EEXIST);
  OpenFile file(created_fd);
  AppendTo(file, next, true, target);
}

void PosixFiles::Replace(const std::string& path, std::string_view bytes) {
  ReplaceWithPieces(path, PiecesOf({bytes}));
}

void PosixFiles::ReplaceWithPieces(const std::string& path, const NextPiece& next) {
  CheckName(path);
  const std::string target = ResolvedTarget(path);
  unsigned mode = NewFileMode();
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode)) FailNotAFile(existing);
    if (::access(target.c_str(), W_OK) != 0) Fail(errno);
    mode = existing.st_mode & 07777;
  } else if (errno != ENOENT) {
    Fail(errno);
  }
  // The whole content or nothing: a new file is renamed over the old one when it is complete.
  if (const int error = ReplaceFileAtomically(target, next, mode); error != 0) Fail(error);
}

}  // namespace clipnest::linux_backend
