#include "dialogs/named_text/named_text_dialog.h"

#include "feedback/cues.h"
#include "platform/clipboard.h"
#include "platform/runtime_error.h"

namespace clipnest {

void NamedTextDialog::OpenNamedTextDialog() {
  inputs_.cues.Play(cue::kSettings);
  // A clipboard that cannot be read ends the opening: the dialog would otherwise offer to save
  // an older text as if it were the clipboard's.
  try {
    inputs_.captured_text.SetText(inputs_.clipboard.Text());
  } catch (const RuntimeError&) {
    return;
  }
  Form3& dialog = life_.Load();
  dialog.form().Show();
  dialog["Text1"].SetText("");
  dialog["Text1"].Focus();
}

}  // namespace clipnest
