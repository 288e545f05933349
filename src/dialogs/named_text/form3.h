#pragma once

#include "forms/form.h"

namespace clipnest {

class Program;

// The named text dialog: saves the captured clipboard text under a name the user types.
class Form3 {
 public:
  explicit Form3(Program& program);

  Form& form() { return form_; }
  Control& operator[](const std::string& name) { return form_[name]; }

  void Form_Load();
  // Writes the panel's Text3 under the typed name, then hides the dialog whatever happened.
  void SaveNamedText();
  void CancelNamedTextDialog();

 private:
  void Command1_Click() { SaveNamedText(); }
  void Command2_Click() { form_.Hide(); }
  void Command3_Click();
  void Text1_Change();
  void Text1_KeyPress(int key_ascii);
  void Command_KeyPress(int key_ascii);

  Program& program_;
  Form form_;
};

}  // namespace clipnest
