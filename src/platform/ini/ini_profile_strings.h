#pragma once

#include "platform/profile_strings.h"

#include <optional>
#include <string>

namespace clipnest {

class AnsiCodePage;

// Where an INI file's bytes live: the disk for the real program, memory for tests.
class IniFileStore {
 public:
  virtual ~IniFileStore() = default;
  // The whole file; the empty text when there is no such file; nothing when the file exists but
  // cannot be read (a write must then leave it alone rather than replace it).
  virtual std::optional<std::string> Load(const std::string& path) = 0;
  // Replaces the whole file; false when it cannot be written (the old file is then unchanged).
  virtual bool Store(const std::string& path, const std::string& bytes) = 0;
};

// Profile strings kept in an INI file in the ANSI code page, read and written whole at every
// call, never held open.
class IniProfileStrings : public ProfileStrings {
 public:
  IniProfileStrings(IniFileStore& store, AnsiCodePage& ansi) : store_(store), ansi_(ansi) {}

  std::string Get(std::string_view section, std::string_view key, std::string_view fallback,
                  std::size_t buffer_size, const std::string& path) override;
  void Put(std::string_view section, std::string_view key, std::string_view value,
           const std::string& path) override;

 private:
  std::string ToAnsi(std::string_view utf8);

  IniFileStore& store_;
  AnsiCodePage& ansi_;
};

}  // namespace clipnest
