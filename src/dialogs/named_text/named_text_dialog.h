#pragma once

#include "dialogs/named_text/form3.h"
#include "dialogs/named_text/named_text_inputs.h"
#include "forms/dialog_life.h"

namespace clipnest {

// Opens the named text dialog, from the panel's button and from Ctrl+Alt+C.
class NamedTextDialog {
 public:
  explicit NamedTextDialog(NamedTextInputs inputs)
      : inputs_(inputs), life_([this] { return std::make_unique<Form3>(inputs_); }) {}

  // Captures the clipboard text and shows the dialog with an empty, focused name box.
  void OpenNamedTextDialog();
  // The loaded dialog, or nullptr.
  Form3* form3() { return life_.loaded(); }

 private:
  NamedTextInputs inputs_;
  DialogLife<Form3> life_;
};

}  // namespace clipnest
