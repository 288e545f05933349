#pragma once

#include <string>
#include <string_view>

namespace clipnest::win32 {

// The program's texts are UTF-8; the wide Windows functions take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Text for the ANSI ("A") functions: UTF-8 converted to the system's ANSI code page, with the
// system's best-fit replacements for characters that it lacks.
std::string ToAnsiLossy(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace clipnest::win32
