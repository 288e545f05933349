#include "platform/linux/posix/errno_numbers.h"

#include <cerrno>

namespace clipnest::linux_backend {

ErrorNumber ErrorNumberOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ErrorNumber::kPathNotFound;
    case EACCES:
    case EISDIR:  // as Windows refuses a folder opened as a file
    case EPERM:
    case EROFS:
      return ErrorNumber::kPathFileAccess;
    case ENOSPC:
    case EDQUOT:
      return ErrorNumber::kDiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
      return ErrorNumber::kBadFileName;
    default:
      return ErrorNumber::kPathFileAccess;
  }
}

}  // namespace clipnest::linux_backend
