#include "saving/timestamp.h"

#include "forms/form.h"
#include "platform/regional_clock.h"
#include "saving/utf8_text.h"

namespace clipnest {

void MakeTimestamp(Form& panel, RegionalClock& clock) {
  Control& text1 = panel["Text1"];
  text1.SetText(clock.TimeText());
  if (CharacterCount(text1.text()) == 7) text1.SetText("0" + text1.text());
  const std::string date = clock.DateText();  // read after the time, as designed
  const std::string& time = text1.text();
  panel["Text2"].SetText(date + "-" + Mid(time, 1, 2) + "." + Mid(time, 4, 2) + "." +
                         Mid(time, 7, 2));
}

}  // namespace clipnest
