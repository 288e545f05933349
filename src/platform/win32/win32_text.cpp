#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {
namespace {

std::wstring ToWide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int count = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), count);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count =
      WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, bytes.data(), count, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}

std::string ToAnsiLossy(std::string_view utf8) {
  return FromWide(CP_ACP, Widen(utf8));
}

std::string FromAnsi(std::string_view ansi) {
  return Narrow(ToWide(CP_ACP, ansi));
}

}  // namespace clipnest::win32
