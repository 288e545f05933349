#pragma once

#include "platform/profile_strings.h"

namespace clipnest::win32 {

// The kernel's profile functions (GetPrivateProfileStringA and WritePrivateProfileStringA); the
// file holds the ANSI code page, so texts are converted at the boundary.
class Win32ProfileStrings : public ProfileStrings {
 public:
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback,
                  std::size_t buffer_size, const std::string& path) override;
  void Put(std::string_view section, std::string_view key, std::string_view value,
           const std::string& path) override;
};

}  // namespace clipnest::win32
