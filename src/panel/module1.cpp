#include "panel/module1.h"

#include "platform/regional_clock.h"
#include "settings/numbers.h"

namespace clipnest {

bool Module1::IsOn(const std::string& flag) const {
  return OptionIsOn(flag, DecimalSeparator());
}

char Module1::DecimalSeparator() const {
  return regional.DecimalSeparator();
}

}  // namespace clipnest
