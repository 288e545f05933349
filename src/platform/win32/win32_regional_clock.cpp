#include "platform/win32/win32_regional_clock.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {

std::string Win32RegionalClock::TimeText() {
  wchar_t buffer[128];
  const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 128);
  return length > 0 ? Narrow(std::wstring_view(buffer, length - 1)) : std::string();
}

std::string Win32RegionalClock::DateText() {
  wchar_t buffer[128];
  const int length =
      GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128);
  return length > 0 ? Narrow(std::wstring_view(buffer, length - 1)) : std::string();
}

char Win32RegionalClock::DecimalSeparator() {
  wchar_t buffer[8];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  // Every separator in use is one ASCII character; anything else falls back to the point.
  if (length >= 2 && buffer[0] > 0 && buffer[0] < 0x80) return static_cast<char>(buffer[0]);
  return '.';
}

}  // namespace clipnest::win32
