#pragma once

#include "dialogs/settings/form2.h"
#include "dialogs/settings/settings_dialog_inputs.h"
#include "forms/dialog_life.h"

namespace clipnest {

// Opens the settings dialog from the panel's settings button.
class SettingsDialog {
 public:
  explicit SettingsDialog(SettingsDialogInputs inputs)
      : inputs_(std::move(inputs)), life_([this] { return std::make_unique<Form2>(inputs_); }) {}

  // Shows the dialog (loading it first when it is not loaded) and ticks the boxes of the
  // options that are on.
  void Open();
  // The loaded dialog, or nullptr.
  Form2* form2() { return life_.loaded(); }

 private:
  SettingsDialogInputs inputs_;
  DialogLife<Form2> life_;
};

}  // namespace clipnest
