#pragma once

#include "dialogs/named_text/named_text_inputs.h"
#include "forms/form.h"

namespace clipnest {

// The named text dialog: saves the captured clipboard text under a name the user types.
class Form3 {
 public:
  explicit Form3(const NamedTextInputs& inputs);

  Form& form() { return form_; }
  Control& operator[](const std::string& name) { return form_[name]; }

  void Form_Load();
  // Writes the captured text under the typed name, then hides the dialog whatever happened.
  void SaveNamedText();
  void CancelNamedTextDialog();

 private:
  void Command1_Click() { SaveNamedText(); }
  void Command2_Click() { form_.Hide(); }
  void Command3_Click();
  void Text1_Change();
  void Text1_KeyPress(int key_ascii);
  void Command_KeyPress(int key_ascii);

  const NamedTextInputs& inputs_;
  Form form_;
  Control& name_box_;
  Control& save_button_;
};

}  // namespace clipnest
