#include "platform/win32/win32_files.h"

#include "platform/runtime_error.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace clipnest::win32 {
namespace {

// The run-time error number of a failed file call.
ErrorNumber ErrorOf(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:  // a create that fails so: a missing drive or folder
      return ErrorNumber::kPathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return ErrorNumber::kBadFileName;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrorNumber::kDiskFull;
    default:  // access denied, sharing violation and the rest
      return ErrorNumber::kPathFileAccess;
  }
}

[[noreturn]] void Fail(DWORD error) {
  throw RuntimeError(ErrorOf(error));
}

// Windows refuses control characters and these in a file name; Wine on a Unix file system may
// take them, so they are refused here the same way.
bool HasForbiddenCharacter(const std::wstring& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const wchar_t c = path[i];
    if (c < 32 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*')
      return true;
    if (c == L':' && i != 1) return true;  // only a drive letter's colon
  }
  return false;
}

std::wstring CheckedPath(const std::string& path) {
  std::wstring wide = Widen(path);
  if (HasForbiddenCharacter(wide)) throw RuntimeError(ErrorNumber::kBadFileName);
  return wide;
}

// A pipe server under the name learns nothing of this program's identity and cannot act as it.
constexpr DWORD kOpenFlags = FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_ANONYMOUS;

class FileHandle {
 public:
  FileHandle(const std::wstring& path, DWORD access, DWORD disposition,
             DWORD share = FILE_SHARE_READ) {
    handle_ = CreateFileW(path.c_str(), access, share, nullptr, disposition, kOpenFlags, nullptr);
    error_ = GetLastError();  // also ERROR_ALREADY_EXISTS after opening an existing file
    if (opened() && GetFileType(handle_) != FILE_TYPE_DISK) {
      // A pipe, a console or a device (NUL, COM1) under the name: reading it could wait for
      // ever and writing would lose the bytes.
      Close();
      throw RuntimeError(ErrorNumber::kPathFileAccess);
    }
  }
  // Takes a handle of a file this program has just created.
  explicit FileHandle(HANDLE created) : handle_(created) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool missing() const {
    return !opened() && (error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND);
  }
  DWORD error() const { return error_; }
  HANDLE get() const { return handle_; }
  void ThrowIfNotOpened() const {
    if (!opened()) Fail(error_);
  }
  void Close() {
    if (opened()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  std::uint64_t Size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) Fail(GetLastError());
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  // 0, or the error of the first write that failed.
  DWORD WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) return GetLastError();
      if (written == 0) return ERROR_WRITE_FAULT;
      bytes.remove_prefix(written);
    }
    return 0;
  }

  // Up to `count` bytes from the current position; `expected` sizes the first buffer.
  std::string Read(std::size_t count, std::size_t expected) {
    std::string bytes(std::min(count, expected), '\0');
    std::size_t filled = 0;
    while (filled < count) {
      if (filled == bytes.size()) {
        bytes.resize(std::min(count, std::max<std::size_t>(bytes.size() * 2, 65536)));
      }
      const DWORD chunk =
          static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(handle_, bytes.data() + filled, chunk, &read, nullptr)) Fail(GetLastError());
      if (read == 0) break;
      filled += read;
    }
    bytes.resize(filled);
    return bytes;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD error_ = 0;
};

// The folder part of a path, with its separator ("" for a bare name).
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A new, empty file beside `target` that no one else has opened, with its name.
struct TemporaryFile {
  std::wstring path;
  HANDLE handle = INVALID_HANDLE_VALUE;
};
TemporaryFile CreateTemporaryBeside(const std::wstring& target) {
  static unsigned serial = 0;
  const std::wstring folder = FolderOf(target);
  DWORD error = 0;
  for (int attempt = 0; attempt < 16; ++attempt) {
    TemporaryFile temporary;
    temporary.path = folder + L".clipnest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(++serial) + L".tmp";
    temporary.handle = CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   kOpenFlags, nullptr);
    if (temporary.handle != INVALID_HANDLE_VALUE) return temporary;
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  Fail(error);
}

}  // namespace

std::string Win32Files::ReadStart(const std::string& path, std::size_t count) {
  FileHandle file(CheckedPath(path), GENERIC_READ, OPEN_EXISTING);
  if (file.missing()) return {};
  file.ThrowIfNotOpened();
  return file.Read(count, count);
}

std::string Win32Files::ReadWhole(const std::string& path, std::size_t limit) {
  FileHandle file(CheckedPath(path), GENERIC_READ, OPEN_EXISTING);
  if (file.missing()) return {};
  file.ThrowIfNotOpened();
  const std::uint64_t size = file.Size();
  if (size > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
  // One byte more than the limit: a file that grows while it is read is still held to it.
  const std::size_t most = limit == static_cast<std::size_t>(-1) ? limit : limit + 1;
  std::string bytes = file.Read(most, static_cast<std::size_t>(size) + 1);
  if (bytes.size() > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
  return bytes;
}

void Win32Files::Append(const std::string& path, std::string_view bytes) {
  AppendPieces(path, PiecesOf({bytes}));
}

void Win32Files::AppendPieces(const std::string& path, const NextPiece& next) {
  const std::wstring wide = CheckedPath(path);
  // Write access (not only append access), so that a failed write can be taken back.
  FileHandle file(wide, GENERIC_WRITE, OPEN_ALWAYS);
  file.ThrowIfNotOpened();
  const bool created = file.error() != ERROR_ALREADY_EXISTS;
  LARGE_INTEGER end{};
  // A failed save leaves the file as it was: cut back to its old size, or removed when this save
  // created it, so that a full disk (or a piece that throws) leaves no partial or empty file.
  const auto take_back = [&] {
    if (!created) {
      SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
      SetEndOfFile(file.get());
    }
    file.Close();
    if (created) DeleteFileW(wide.c_str());
  };
  DWORD error = SetFilePointerEx(file.get(), LARGE_INTEGER{}, &end, FILE_END) ? 0 : GetLastError();
  try {
    for (std::string_view piece; error == 0 && !(piece = next()).empty();) {
      error = file.WriteAll(piece);
    }
  } catch (...) {
    take_back();
    throw;
  }
  if (error == 0) return;
  take_back();
  Fail(error);
}

void Win32Files::Replace(const std::string& path, std::string_view bytes) {
  ReplaceWithPieces(path, PiecesOf({bytes}));
}

void Win32Files::ReplaceWithPieces(const std::string& path, const NextPiece& next) {
  const std::wstring target = CheckedPath(path);
  {
    // Whatever is under the name must be a file on a disk, to be replaced; opening it for its
    // attributes only reads nothing from it.
    FileHandle existing(target, FILE_READ_ATTRIBUTES, OPEN_EXISTING,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!existing.opened() && existing.error() != ERROR_FILE_NOT_FOUND) existing.ThrowIfNotOpened();
  }
  // The whole content or nothing: a new file is written beside the old one and moved over it
  // when it is complete.
  TemporaryFile temporary = CreateTemporaryBeside(target);
  DWORD error = 0;
  try {
    FileHandle written(temporary.handle);
    for (std::string_view piece; error == 0 && !(piece = next()).empty();) {
      error = written.WriteAll(piece);
    }
    if (error == 0 && !FlushFileBuffers(temporary.handle)) error = GetLastError();
  } catch (...) {
    DeleteFileW(temporary.path.c_str());
    throw;
  }
  if (error == 0 && !MoveFileExW(temporary.path.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error == 0) return;
  DeleteFileW(temporary.path.c_str());
  Fail(error);
}

}  // namespace clipnest::win32
