#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace clipnest {

// Profile strings of an INI file, with the rules of the Windows profile API. All texts are UTF-8
// inside the program; the file itself holds the ANSI code page.
class ProfileStrings {
 public:
  virtual ~ProfileStrings() = default;
  // The value (or `fallback` when the file, section or key is missing), cut to buffer_size - 1
  // characters as a buffer of that size would hold it.
  virtual std::string Get(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t buffer_size, const std::string& path) = 0;
  // Creates the file, section or key when missing; failures go unnoticed.
  virtual void Put(std::string_view section, std::string_view key, std::string_view value,
                   const std::string& path) = 0;
};

}  // namespace clipnest
