#include "saving/timestamp.h"

#include "forms/control.h"
#include "platform/regional_clock.h"
#include "saving/utf8_text.h"

#include <string>
#include <string_view>

namespace clipnest {
namespace {

// A piece of a file name: each character that cannot stand in a Windows file name (control
// characters among them) becomes ".". Regional formats such as 12/6/2026 or a 12-hour time would
// otherwise turn every save into folders that do not exist or a name the system refuses.
std::string FileNamePiece(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view(R"(/\:*?"<>|)").find(c) != std::string_view::npos) {
      c = '.';
    }
  }
  return text;
}

}  // namespace

void MakeTimestamp(Control& time_text, Control& timestamp, RegionalClock& clock) {
  time_text.SetText(clock.TimeText());
  if (CharacterCount(time_text.text()) == 7) time_text.SetText("0" + time_text.text());
  const std::string date = clock.DateText();  // read after the time, as designed
  const std::string& time = time_text.text();
  timestamp.SetText(
      FileNamePiece(date + "-" + Mid(time, 1, 2) + "." + Mid(time, 4, 2) + "." + Mid(time, 7, 2)));
}

}  // namespace clipnest
