#pragma once

#include "platform/files.h"

namespace clipnest::win32 {

// Files through CreateFileW on the UTF-8 path (forward slashes serve as separators). Each call
// closes its handle before it returns. Only files on a disk are read or written (GetFileType);
// a replacement is written beside the file and moved over it.
class Win32Files : public Files {
 public:
  std::string ReadStart(const std::string& path, std::size_t count) override;
  std::string ReadWhole(const std::string& path, std::size_t limit) override;
  void Append(const std::string& path, std::string_view bytes) override;
  void Replace(const std::string& path, std::string_view bytes) override;
  void AppendPieces(const std::string& path, const NextPiece& next) override;
  void ReplaceWithPieces(const std::string& path, const NextPiece& next) override;
};

}  // namespace clipnest::win32
