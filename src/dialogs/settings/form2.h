#pragma once

#include "dialogs/settings/settings_dialog_inputs.h"
#include "forms/form.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace clipnest {

// The settings dialog: the options, the panel's opacity and colours, the save folder, the help
// and the project's links. Every change takes effect and is written at once.
class Form2 {
 public:
  explicit Form2(const SettingsDialogInputs& inputs);

  Form& form() { return form_; }
  Control& operator[](const std::string& name) { return form_[name]; }

  void Form_Load();

 private:
  // The options and the save folder.
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void HScroll1_Change();
  void Text1_Change();
  void Command3_Click();
  void Command40_Click();
  void Command_KeyPress(int key_ascii);
  void Command1_Click();
  void Label9_Click();
  void Label10_Click();
  // The colours.
  void Label4_Click();
  void Label5_Click();
  void Label11_Click();

  // A check box's click: its flag and key follow the box, then its own effect, then the cue.
  void OptionClicked(Control& box, std::string& flag, std::string_view key,
                     void (Form2::*effect)(bool ticked));
  void TransparencyEffect(bool ticked);
  bool IsOn(const std::string& flag) const;
  // Shows the colour chooser; the colour chosen, or nothing when it was cancelled.
  std::optional<std::uint32_t> ChooseColour();
  void WriteColour(std::string_view key, OleColour colour);

  const SettingsDialogInputs& inputs_;
  Form form_;
  Control& sounds_box_;
  Control& print_screen_box_;
  Control& transparency_box_;
  Control& opacity_slider_;
  Control& folder_box_;
  Control& store_folder_button_;
  Control& border_swatch_;
  Control& background_swatch_;
  // The colour last chosen in either swatch since the dialog was loaded: where the chooser
  // starts.
  std::uint32_t chosen_colour_ = 0;
};

}  // namespace clipnest
