#include "dialogs/settings/form2.h"
#include "feedback/cues.h"
#include "platform/colour_chooser.h"
#include "platform/regional_clock.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <string>

namespace clipnest {
std::optional<std::uint32_t> Form2::ChooseColour() {
  // The chooser starts at the colour last chosen since the dialog was loaded, black at first.
  auto chosen = inputs_.colours.Choose(form_, chosen_colour_);
  if (chosen) chosen_colour_ = *chosen;
  return chosen;
}

// A colour is written as it reads back from the panel, as a signed 32-bit number.
void Form2::WriteColour(std::string_view key, OleColour colour) {
  inputs_.settings.WriteSetting(key, std::to_string(static_cast<std::int32_t>(colour)));
}

// A cancelled chooser changes nothing: the colour shown and stored stays the user's.
void Form2::Label4_Click() {
  if (auto colour = ChooseColour()) {
    border_swatch_.SetBackColour(*colour);
    inputs_.panel_border.SetForeColour(*colour);
    WriteColour(kBorderColorKey.key, inputs_.panel_border.look().fore_colour);
  }
  inputs_.cues.Play(cue::kSaveSettings);
}

void Form2::Label5_Click() {
  if (auto colour = ChooseColour()) {
    background_swatch_.SetBackColour(*colour);
    inputs_.panel.SetBackColour(*colour);
    WriteColour(kMainColorKey.key, inputs_.panel.back_colour());
  }
  inputs_.cues.Play(cue::kSaveSettings);
}

void Form2::Label11_Click() {
  const char separator = inputs_.regional.DecimalSeparator();
  // A default that is not a whole number is passed over like a missing one, without a message.
  if (auto border = inputs_.settings.ReadSetting(kBorderColorDefKey.key,
                                                 kBorderColorDefKey.missing_message, &form_);
      border.present) {
    if (auto colour = StrictInt32(border.text, separator)) {
      border_swatch_.SetBackColour(static_cast<OleColour>(*colour));
      inputs_.panel_border.SetForeColour(static_cast<OleColour>(*colour));
    }
  }
  if (auto main = inputs_.settings.ReadSetting(kMainColorDefKey.key,
                                               kMainColorDefKey.missing_message, &form_);
      main.present) {
    if (auto colour = StrictInt32(main.text, separator)) {
      background_swatch_.SetBackColour(static_cast<OleColour>(*colour));
      inputs_.panel.SetBackColour(static_cast<OleColour>(*colour));
    }
  }
  WriteColour(kBorderColorKey.key, inputs_.panel_border.look().fore_colour);
  WriteColour(kMainColorKey.key, inputs_.panel.back_colour());
  inputs_.cues.Play(cue::kDefColors);
}

}  // namespace clipnest
