#include "platform/win32/win32_ansi_code_page.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {

std::optional<std::string> Win32AnsiCodePage::Encode(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int utf8_size = static_cast<int>(utf8.size());
  const int wide_count =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8_size, nullptr, 0);
  if (wide_count <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wide_count), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8_size, wide.data(),
                      wide_count);

  BOOL used_default = FALSE;
  const int ansi_count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_count,
                                             nullptr, 0, nullptr, &used_default);
  if (ansi_count <= 0 || used_default) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(ansi_count), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_count, ansi.data(),
                      ansi_count, nullptr, &used_default);
  // A character that maps to some other one would not come back as itself.
  if (used_default || Decode(ansi) != utf8) return std::nullopt;
  return ansi;
}

bool Win32AnsiCodePage::Holds(std::string_view utf8) {
  // A megabyte at a time, cut between characters, so that a large text is never converted whole.
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t end = CharacterBoundary(utf8, at + kPiece);
    if (!Encode(utf8.substr(at, end - at))) return false;
    at = end;
  }
  return true;
}

std::string Win32AnsiCodePage::Decode(std::string_view ansi) {
  return FromAnsi(ansi);
}

}  // namespace clipnest::win32
