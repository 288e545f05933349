#include "platform/linux/posix/posix_clock.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <clocale>
#include <ctime>

#include <string_view>

namespace clipnest::linux_backend {
namespace {

// The character set of the locale that LC_TIME names: strftime writes its texts in it.
std::string TimeCodeSet() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  locale_t locale = ::newlocale(LC_CTYPE_MASK, name ? name : "C", static_cast<locale_t>(0));
  if (!locale) return "UTF-8";
  std::string code_set = ::nl_langinfo_l(CODESET, locale);
  ::freelocale(locale);
  return code_set;
}

std::string ToUtf8(const std::string& text, const std::string& code_set) {
  if (code_set == "UTF-8" || code_set == "ANSI_X3.4-1968") return text;  // ASCII is UTF-8
  iconv_t converter = ::iconv_open("UTF-8", code_set.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_bytes = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_bytes = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = ::iconv(converter, &in_bytes, &in_left, &out_bytes, &out_left);
  ::iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return text;
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

PosixClock::PosixClock() {
  std::setlocale(LC_TIME, "");
  // The user's separator, read without touching the process-wide LC_NUMERIC.
  if (locale_t numeric = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
    const std::string_view radix = ::nl_langinfo_l(RADIXCHAR, numeric);
    if (radix.size() == 1) decimal_separator_ = radix.front();
    ::freelocale(numeric);
  }
}

std::string PosixClock::Now(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[256];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return ToUtf8(std::string(text, length), TimeCodeSet());
}

std::string PosixClock::TimeText() {
  const char* format = ::nl_langinfo(T_FMT);
  return Now(format && *format ? format : "%H:%M:%S");
}

std::string PosixClock::DateText() {
  const char* format = ::nl_langinfo(D_FMT);
  return Now(format && *format ? format : "%m/%d/%y");
}

}  // namespace clipnest::linux_backend
