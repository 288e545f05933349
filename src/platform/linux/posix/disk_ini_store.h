#pragma once

#include "platform/ini/ini_profile_strings.h"

namespace clipnest::linux_backend {

// The settings file on disk. A store replaces the file atomically: a reader sees the old file
// or the new one, never a part of either.
class DiskIniStore : public IniFileStore {
 public:
  std::optional<std::string> Load(const std::string& path) override;
  bool Store(const std::string& path, const std::string& bytes) override;

 private:
  bool swept_ = false;
};

}  // namespace clipnest::linux_backend
