#pragma once

#include <string>
#include <string_view>

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
};

}  // namespace clipnest
