#pragma once

#include "platform/regional_clock.h"

namespace clipnest::win32 {

// The user's regional formats of the locale functions (long time format, short date format).
class Win32RegionalClock : public RegionalClock {
 public:
  std::string TimeText() override;
  std::string DateText() override;
  char DecimalSeparator() override;
};

}  // namespace clipnest::win32
