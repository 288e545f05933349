#pragma once

#include <cstdint>
#include <string>

namespace clipnest {

class RegionalClock;

// The program-wide variables, living as long as the process.
struct Module1 {
  explicit Module1(RegionalClock& regional) : regional(regional) {}

  // An option is on when its text is strictly the number 1 in the user's number format; any
  // other text, the "no" of a missing key included, is off.
  bool IsOn(const std::string& flag) const;
  // The decimal separator of the user's number format.
  char DecimalSeparator() const;

  RegionalClock& regional;
  std::string SoundsFlag;
  std::string HotPrintScreenFlag;
  std::string TransparentFlag;
  std::string TransparentValueText;
  std::uint8_t TransparentValue = 0;
};

}  // namespace clipnest
