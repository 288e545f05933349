#include "feedback/cues.h"
#include "panel/form1.h"
#include "panel/module1.h"
#include "platform/process_control.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

namespace clipnest {

// A press of any mouse button on the panel's own surface: the panel follows the mouse while the
// button is held, and its place is written once the button is let go.
void Form1::Form_MouseDown() {
  form_.DragMove([this] { WritePosition(); });
}

void Form1::Image8_Click() {
  peers_.cues.Play(cue::kExit);
  WritePosition();
  peers_.process.EndProcess();
}

// Asked to close from outside (the window manager, the system, the session ending): the program
// ends as the exit button ends it, without its cue, so that it never lingers unseen holding the
// single-instance lock.
void Form1::Form_Unload() {
  WritePosition();
  peers_.process.EndProcess();
}

void Form1::WritePosition() {
  form_.RefreshPosition();
  const char separator = peers_.module1.DecimalSeparator();
  peers_.settings.WriteSetting(kLeftKey.key, NumberText(form_.left().value_or(0), separator));
  peers_.settings.WriteSetting(kTopKey.key, NumberText(form_.top().value_or(0), separator));
}

}  // namespace clipnest
