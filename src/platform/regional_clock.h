#pragma once

#include <string>

namespace clipnest {

// The clock and the user's regional formats.
class RegionalClock {
 public:
  virtual ~RegionalClock() = default;
  // The time of day in the user's time format (9:05:03 with Russian settings).
  virtual std::string TimeText() = 0;
  // Today's date in the user's short date format (06.12.2026 with Russian settings).
  virtual std::string DateText() = 0;
  // The decimal separator of the user's number format.
  virtual char DecimalSeparator() = 0;
};

}  // namespace clipnest
