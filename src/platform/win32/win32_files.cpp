#include "platform/win32/win32_files.h"

#include "platform/runtime_error.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>

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

class FileHandle {
 public:
  FileHandle(const std::string& path, DWORD access, DWORD disposition) {
    const std::wstring wide = Widen(path);
    if (HasForbiddenCharacter(wide)) throw RuntimeError(ErrorNumber::kBadFileName);
    handle_ = CreateFileW(wide.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) error_ = GetLastError();
  }
  ~FileHandle() {
    if (opened()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  DWORD error() const { return error_; }
  void ThrowIfNotOpened() const {
    if (!opened()) throw RuntimeError(ErrorOf(error_));
  }

  void WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0)
        throw RuntimeError(ErrorOf(GetLastError()));
      bytes.remove_prefix(written);
    }
  }

  std::string Read(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t filled = 0;
    while (filled < count) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - filled, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(handle_, bytes.data() + filled, chunk, &read, nullptr))
        throw RuntimeError(ErrorOf(GetLastError()));
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

}  // namespace

std::string Win32Files::ReadStart(const std::string& path, std::size_t count) {
  FileHandle file(path, GENERIC_READ, OPEN_EXISTING);
  if (!file.opened()) {
    if (file.error() == ERROR_FILE_NOT_FOUND || file.error() == ERROR_PATH_NOT_FOUND) return {};
    file.ThrowIfNotOpened();
  }
  return file.Read(count);
}

void Win32Files::Append(const std::string& path, std::string_view bytes) {
  FileHandle file(path, FILE_APPEND_DATA, OPEN_ALWAYS);
  file.ThrowIfNotOpened();
  file.WriteAll(bytes);
}

void Win32Files::Replace(const std::string& path, std::string_view bytes) {
  FileHandle file(path, GENERIC_WRITE, CREATE_ALWAYS);
  file.ThrowIfNotOpened();
  file.WriteAll(bytes);
}

}  // namespace clipnest::win32
