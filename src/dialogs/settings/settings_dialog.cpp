#include "dialogs/settings/settings_dialog.h"

#include "feedback/cues.h"
#include "platform/regional_clock.h"
#include "settings/numbers.h"

namespace clipnest {

void SettingsDialog::Open() {
  inputs_.cues.Play(cue::kSettings);
  Form2& dialog = life_.Load();
  dialog.form().Show();
  dialog["Command40"].Focus();
  // Opening never clears a box; a box ticked here runs its click handling.
  const char separator = inputs_.regional.DecimalSeparator();
  const ProgramOptions& options = inputs_.options;
  if (OptionIsOn(options.SoundsFlag, separator)) dialog["Check1"].SetValue(1);
  if (OptionIsOn(options.HotPrintScreenFlag, separator)) dialog["Check2"].SetValue(1);
  if (OptionIsOn(options.TransparentFlag, separator)) {
    dialog["Check3"].SetValue(1);
    dialog["HScroll1"].SetEnabled(true);
  }
}

}  // namespace clipnest
