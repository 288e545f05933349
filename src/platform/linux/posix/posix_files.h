#pragma once

#include "platform/files.h"

namespace clipnest::linux_backend {

// The save files on a POSIX file system, by their UTF-8 paths. Each call opens, writes and
// closes within itself.
class PosixFiles : public Files {
 public:
  std::string ReadStart(const std::string& path, std::size_t count) override;
  std::string ReadWhole(const std::string& path, std::size_t limit) override;
  void Append(const std::string& path, std::string_view bytes) override;
  void Replace(const std::string& path, std::string_view bytes) override;
  void AppendPieces(const std::string& path, const NextPiece& next) override;
  void ReplaceWithPieces(const std::string& path, const NextPiece& next) override;
};

}  // namespace clipnest::linux_backend
