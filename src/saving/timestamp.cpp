#include "saving/timestamp.h"

#include "forms/control.h"
#include "platform/regional_clock.h"
#include "saving/utf8_text.h"

namespace clipnest {

void MakeTimestamp(Control& time_text, Control& timestamp, RegionalClock& clock) {
  time_text.SetText(clock.TimeText());
  if (CharacterCount(time_text.text()) == 7) time_text.SetText("0" + time_text.text());
  const std::string date = clock.DateText();  // read after the time, as designed
  const std::string& time = time_text.text();
  timestamp.SetText(date + "-" + Mid(time, 1, 2) + "." + Mid(time, 4, 2) + "." + Mid(time, 7, 2));
}

}  // namespace clipnest
