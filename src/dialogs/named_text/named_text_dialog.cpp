#include "dialogs/named_text/named_text_dialog.h"

#include "feedback/cues.h"
#include "panel/program.h"
#include "platform/clipboard.h"
#include "platform/runtime_error.h"

namespace clipnest {

void NamedTextDialog::OpenNamedTextDialog() {
  program_.cues().Play(cue::kSettings);
  Form& panel = program_.form1().form();
  // A clipboard that cannot be read ends the opening: the dialog would otherwise offer to save
  // an older text as if it were the clipboard's.
  try {
    panel["Text3"].SetText(program_.platform().clipboard.Text());
  } catch (const RuntimeError&) {
    return;
  }
  if (!form3_ || discarded_) {
    form3_.reset();  // a discarded dialog's window goes now, outside its own events
    form3_ = std::make_unique<Form3>(program_);
    discarded_ = false;
    form3_->form().on_close_box = [this] { discarded_ = true; };
    form3_->form().Create();
    form3_->Form_Load();
  }
  Form& dialog = form3_->form();
  dialog.Show();
  (*form3_)["Text1"].SetText("");
  (*form3_)["Text1"].Focus();
}

}  // namespace clipnest
