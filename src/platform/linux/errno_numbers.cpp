#include "platform/linux/errno_numbers.h"

#include <cerrno>

namespace clipnest::x11 {

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

}  // namespace clipnest::x11
