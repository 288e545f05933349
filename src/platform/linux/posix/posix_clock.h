#pragma once

#include "platform/regional_clock.h"

namespace clipnest::linux_backend {

// The clock in the C library's formats of the user's locale (LC_TIME), and the decimal
// separator of the user's number format (LC_NUMERIC).
class PosixClock : public RegionalClock {
 public:
  PosixClock();
  std::string TimeText() override;
  std::string DateText() override;
  char DecimalSeparator() override { return decimal_separator_; }

 private:
  std::string Now(const char* format);

  char decimal_separator_ = '.';
};

}  // namespace clipnest::linux_backend
