#include "platform/linux/posix/disk_ini_store.h"

#include "platform/linux/posix/posix_io.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace clipnest::linux_backend {

namespace {
// Far above any settings file the program writes, far below what would exhaust memory.
constexpr std::size_t kLargestSettingsFile = std::size_t{256} << 20;
}  // namespace

std::optional<std::string> DiskIniStore::Load(const std::string& path) {
  // A start clears what a write of an earlier run, cut short, left beside the settings file.
  if (!swept_) RemoveStaleTemporaries(FolderOf(ResolvedTarget(path)));
  swept_ = true;
  std::string bytes;
  if (ReadAll(path, bytes, kLargestSettingsFile)) return bytes;
  if (errno == ENOENT) return std::string();  // no file yet: the first write creates it
  return std::nullopt;
}

bool DiskIniStore::Store(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedTarget(path);
  struct stat folder {};
  if (::stat(FolderOf(target).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) return false;
  unsigned mode = NewFileMode();
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    // A read-only settings file stays as it is, like the profile API leaves it.
    if (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0) return false;
    mode = existing.st_mode & 07777;
  }
  return ReplaceFileAtomically(target, bytes, mode) == 0;
}

}  // namespace clipnest::linux_backend
