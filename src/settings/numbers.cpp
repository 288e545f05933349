#include "settings/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace clipnest {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads sign, digits, an optional fraction and an optional exponent from `text` at `pos`, into
// the C form of a number. Returns false when no digit was read.
bool ReadNumber(std::string_view text, std::size_t& pos, char decimal_separator, bool skip_blanks,
                std::string& out) {
  auto skip = [&] {
    while (skip_blanks && pos < text.size() &&
           (IsBlank(text[pos]) || text[pos] == '\n' || text[pos] == '\r'))
      ++pos;
  };
  skip();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    out += text[pos++];
    skip();
  }
  bool digits = false;
  auto read_digits = [&] {
    for (;;) {
      skip();
      if (pos >= text.size() || !IsDigit(text[pos])) break;
      out += text[pos++];
      digits = true;
    }
  };
  read_digits();
  if (pos < text.size() && text[pos] == decimal_separator) {
    ++pos;
    out += '.';
    read_digits();
  }
  if (!digits) return false;
  std::size_t before_exponent = pos;
  skip();
  if (pos < text.size() &&
      (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
    std::size_t mark = pos++;
    std::string exponent = "e";
    skip();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent += text[pos++];
    bool exponent_digits = false;
    for (;;) {
      skip();
      if (pos >= text.size() || !IsDigit(text[pos])) break;
      exponent += text[pos++];
      exponent_digits = true;
    }
    if (exponent_digits) {
      out += exponent;
    } else {
      pos = mark;
    }
  } else {
    pos = before_exponent;
  }
  return true;
}

// Whether a C number that a double cannot hold is too large rather than too small: its first
// significant digit stands at a positive power of ten.
bool TooLarge(std::string_view c_number) {
  const std::size_t e = c_number.find('e');
  const std::string_view mantissa = c_number.substr(0, e);
  long exponent = 0;
  if (e != std::string_view::npos) {
    const std::string_view digits = c_number.substr(e + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    for (char c : digits) {
      if (IsDigit(c) && exponent < 1'000'000) exponent = exponent * 10 + (c - '0');
    }
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  const long power =
      first < point ? static_cast<long>(point - first - 1) : -static_cast<long>(first - point);
  return power + exponent > 0;
}

// Independent of the C library's locale, unlike strtod. A number too large for a double is
// infinite, with its sign; one too small is 0.
double ToDouble(const std::string& c_number) {
  const char* begin = c_number.data();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  double value = 0.0;
  auto result = std::from_chars(begin, c_number.data() + c_number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = TooLarge(c_number) ? HUGE_VAL : 0.0;
    return c_number[0] == '-' ? -value : value;
  }
  return value;
}

std::optional<double> RoundedInRange(std::string_view text, char separator, double low,
                                     double high) {
  auto number = StrictNumber(text, separator);
  if (!number) return std::nullopt;
  double rounded = std::nearbyint(*number);  // the default rounding mode is half to even
  if (rounded < low || rounded > high) return std::nullopt;
  return rounded;
}

}  // namespace

std::optional<double> StrictNumber(std::string_view text, char decimal_separator) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  std::string c_number;
  if (!ReadNumber(text, pos, decimal_separator, false, c_number)) return std::nullopt;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos != text.size()) return std::nullopt;
  double value = ToDouble(c_number);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> StrictInt32(std::string_view text, char decimal_separator) {
  auto value = RoundedInRange(text, decimal_separator, -2147483648.0, 2147483647.0);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::optional<std::uint8_t> StrictByte(std::string_view text, char decimal_separator) {
  auto value = RoundedInRange(text, decimal_separator, 0.0, 255.0);
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

double LenientNumber(std::string_view text) {
  std::size_t pos = 0;
  std::string c_number;
  if (!ReadNumber(text, pos, '.', true, c_number)) return 0.0;
  return ToDouble(c_number);
}

std::optional<float> LenientPosition(std::string_view text) {
  const double twips = LenientNumber(text);
  if (!(twips >= -2147483648.0 && twips <= 2147483647.0)) return std::nullopt;
  return static_cast<float>(twips);
}

std::string NumberText(float value, char decimal_separator) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::string number(text, result.ptr);
  for (char& c : number) {
    if (c == '.') c = decimal_separator;
  }
  return number;
}

bool OptionIsOn(std::string_view flag_text, char decimal_separator) {
  auto number = StrictNumber(flag_text, decimal_separator);
  return number && *number == 1.0;
}

}  // namespace clipnest
