#pragma once

#include <exception>

namespace clipnest {

// The run-time error numbers that a failing step reports to a save's error handler.
enum class ErrorNumber : int {
  kNone = 0,
  // A file or a picture too large to take into memory.
  kOutOfMemory = 7,
  kBadFileName = 52,
  kFileNotFound = 53,
  kDiskFull = 61,
  kPermissionDenied = 70,
  kPathFileAccess = 75,
  kPathNotFound = 76,
  kInvalidPropertyValue = 380,
  kCantOpenClipboard = 521,
};

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number) : number_(number) {}
  ErrorNumber number() const { return number_; }
  const char* what() const noexcept override { return "clipnest run-time error"; }

 private:
  ErrorNumber number_;
};

}  // namespace clipnest
