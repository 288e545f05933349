#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest {

// Files of the save folder. Each call opens, works and closes within itself; failures throw
// RuntimeError with the number that matches the cause (76 for a missing folder). Only regular
// files are read or written: a FIFO, a pipe or a device under the name fails at once
// (kPathFileAccess) instead of blocking or swallowing the bytes.
class Files {
 public:
  virtual ~Files() = default;
  // Up to `count` bytes from the start of the file; empty when it is missing or empty.
  virtual std::string ReadStart(const std::string& path, std::size_t count) = 0;
  // The whole file; empty when it is missing. A file of more than `limit` bytes is refused
  // (kOutOfMemory) without reading it.
  virtual std::string ReadWhole(const std::string& path, std::size_t limit) = 0;
  // Appends the bytes, creating the file when it is missing. A failure leaves the file as it
  // was, and no file at all where the call created it.
  virtual void Append(const std::string& path, std::string_view bytes) = 0;
  // Writes the bytes as the file's whole content, replacing any earlier file of that name in one
  // step: on failure the earlier file is untouched and no new file is left behind.
  virtual void Replace(const std::string& path, std::string_view bytes) = 0;

  // A content that comes in pieces, so that a large one is never held whole: each call gives the
  // next piece (valid until the next call), and the empty piece ends the content. A piece that
  // throws fails the write like a full disk, with the same guarantees as above.
  using NextPiece = std::function<std::string_view()>;
  // Append and Replace of the pieces, written as they come. A files system that cannot write in
  // pieces gathers them first.
  virtual void AppendPieces(const std::string& path, const NextPiece& next) {
    Append(path, Gathered(next));
  }
  virtual void ReplaceWithPieces(const std::string& path, const NextPiece& next) {
    Replace(path, Gathered(next));
  }

 protected:
  static std::string Gathered(const NextPiece& next) {
    std::string bytes;
    for (std::string_view piece = next(); !piece.empty(); piece = next()) bytes += piece;
    return bytes;
  }
};

// The pieces of a content that is already whole in memory: each part in turn, no copy.
inline Files::NextPiece PiecesOf(std::initializer_list<std::string_view> parts) {
  return [parts = std::vector<std::string_view>(parts), at = std::size_t{0}]() mutable {
    while (at < parts.size() && parts[at].empty()) ++at;
    return at < parts.size() ? parts[at++] : std::string_view();
  };
}

}  // namespace clipnest
