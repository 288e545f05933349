#pragma once

#include <string>
#include <string_view>

namespace clipnest {

// Files of the save folder. Each call opens, works and closes within itself; failures throw
// RuntimeError with the number that matches the cause (76 for a missing folder).
class Files {
 public:
  virtual ~Files() = default;
  // Up to `count` bytes from the start of the file; empty when it is missing or empty.
  virtual std::string ReadStart(const std::string& path, std::size_t count) = 0;
  // Appends the bytes, creating the file when it is missing.
  virtual void Append(const std::string& path, std::string_view bytes) = 0;
  // Writes the bytes as the file's whole content, replacing any earlier file of that name.
  virtual void Replace(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace clipnest
