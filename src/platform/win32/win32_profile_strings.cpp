#include "platform/win32/win32_profile_strings.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <vector>

namespace clipnest::win32 {

std::string Win32ProfileStrings::Get(std::string_view section, std::string_view key,
                                     std::string_view fallback, std::size_t buffer_size,
                                     const std::string& path) {
  if (buffer_size == 0) return {};
  std::vector<char> buffer(buffer_size, ' ');
  const DWORD count = GetPrivateProfileStringA(
      ToAnsiLossy(section).c_str(), ToAnsiLossy(key).c_str(), ToAnsiLossy(fallback).c_str(),
      buffer.data(), static_cast<DWORD>(buffer_size), ToAnsiLossy(path).c_str());
  return FromAnsi(std::string_view(buffer.data(), count));
}

void Win32ProfileStrings::Put(std::string_view section, std::string_view key,
                              std::string_view value, const std::string& path) {
  WritePrivateProfileStringA(ToAnsiLossy(section).c_str(), ToAnsiLossy(key).c_str(),
                             ToAnsiLossy(value).c_str(), ToAnsiLossy(path).c_str());
}

}  // namespace clipnest::win32
