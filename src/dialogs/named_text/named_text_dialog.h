#pragma once

#include "dialogs/named_text/form3.h"

#include <memory>

namespace clipnest {

class Program;

// The named text dialog's life: made on the first opening, only hidden by its own buttons, and
// discarded by its title-bar close box so that the next opening makes it afresh.
class NamedTextDialog {
 public:
  explicit NamedTextDialog(Program& program) : program_(program) {}

  // Captures the clipboard text into the panel's Text3 and shows the dialog with an empty name.
  void OpenNamedTextDialog();
  // The dialog, or nullptr before its first opening.
  Form3* form3() { return form3_.get(); }

 private:
  Program& program_;
  std::unique_ptr<Form3> form3_;
  bool discarded_ = false;
};

}  // namespace clipnest
