#include "dialogs/settings/form2.h"

#include "dialogs/settings/contact_addresses.h"
#include "dialogs/settings/form2_layout.h"
#include "feedback/cues.h"
#include "forms/window_operations.h"
#include "platform/regional_clock.h"
#include "platform/shell.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

#include <string>

namespace clipnest {
namespace {
constexpr int kEscape = 27;
}  // namespace

Form2::Form2(const SettingsDialogInputs& inputs)
    : inputs_(inputs),
      form_(inputs.windows, Form2Design()),
      sounds_box_(form_["Check1"]),
      print_screen_box_(form_["Check2"]),
      transparency_box_(form_["Check3"]),
      opacity_slider_(form_["HScroll1"]),
      folder_box_(form_["Text1"]),
      store_folder_button_(form_["Command3"]),
      border_swatch_(form_["Label4"]),
      background_swatch_(form_["Label5"]) {
  form_["Check1"].on_click = [this] { Check1_Click(); };
  form_["Check2"].on_click = [this] { Check2_Click(); };
  form_["Check3"].on_click = [this] { Check3_Click(); };
  form_["HScroll1"].on_change = [this] { HScroll1_Change(); };
  form_["Text1"].on_change = [this] { Text1_Change(); };
  form_["Command3"].on_click = [this] { Command3_Click(); };
  form_["Command40"].on_click = [this] { Command40_Click(); };
  form_["Command40"].on_key_press = [this](int key) { Command_KeyPress(key); };
  form_["Command1"].on_click = [this] { Command1_Click(); };
  form_["Command1"].on_key_press = [this](int key) { Command_KeyPress(key); };
  form_["Label9"].on_click = [this] { Label9_Click(); };
  form_["Label10"].on_click = [this] { Label10_Click(); };
  form_["Label4"].on_click = [this] { Label4_Click(); };
  form_["Label5"].on_click = [this] { Label5_Click(); };
  form_["Label11"].on_click = [this] { Label11_Click(); };
}

bool Form2::IsOn(const std::string& flag) const {
  return OptionIsOn(flag, inputs_.regional.DecimalSeparator());
}

void Form2::Form_Load() {
  if (auto path = inputs_.settings.ReadSetting(kSavePathAtDialogLoad.key,
                                               kSavePathAtDialogLoad.missing_message, &form_);
      path.present)
    folder_box_.SetText(path.text);  // by the control-change rule this enables "OK"
  SetTopmost(form_, true);
  store_folder_button_.SetEnabled(false);
  border_swatch_.SetBackColour(inputs_.panel_border.look().fore_colour);
  background_swatch_.SetBackColour(inputs_.panel.back_colour());
  if (IsOn(inputs_.options.HotPrintScreenFlag)) print_screen_box_.SetValue(1);
}

void Form2::OptionClicked(Control& box, std::string& flag, std::string_view key,
                          void (Form2::*effect)(bool ticked)) {
  // The box is read twice, ticked first, then cleared, as two steps. The cue is gated after
  // the flag has changed: switching sounds off is silent.
  static const std::string kTexts[] = {"0", "1"};
  for (int state : {1, 0}) {
    if (box.value() != state) continue;
    flag = kTexts[state];
    inputs_.settings.WriteSetting(key, flag);
    if (effect) (this->*effect)(state == 1);
    inputs_.cues.Play(cue::kCheck);
  }
}

void Form2::Check1_Click() {
  OptionClicked(sounds_box_, inputs_.options.SoundsFlag, kSoundsKey.key, nullptr);
}

void Form2::Check2_Click() {
  OptionClicked(print_screen_box_, inputs_.options.HotPrintScreenFlag, kHotPrintScreenKey.key,
                nullptr);
}

void Form2::Check3_Click() {
  OptionClicked(transparency_box_, inputs_.options.TransparentFlag, kTransparentKey.key,
                &Form2::TransparencyEffect);
}

void Form2::TransparencyEffect(bool ticked) {
  std::uint8_t& opacity = inputs_.options.TransparentValue;
  if (!ticked) {
    // The stored opacity stays, so that ticking the box again brings it back.
    opacity_slider_.SetEnabled(false);
    inputs_.SetTransparent1(255);
    return;
  }
  opacity_slider_.SetEnabled(true);
  opacity_slider_.SetValue(opacity);
  // An opacity the slider cannot hold (0, which would make the panel wholly invisible) becomes
  // the nearest it can, through the slider's change handling, also where the slider already
  // stands there.
  if (opacity_slider_.value() != opacity) HScroll1_Change();
  inputs_.SetTransparent1(opacity);
}

void Form2::HScroll1_Change() {
  const int value = opacity_slider_.value();
  inputs_.SetTransparent1(static_cast<std::uint8_t>(value));
  inputs_.options.TransparentValue = static_cast<std::uint8_t>(value);
  inputs_.options.TransparentValueText = std::to_string(value);
  inputs_.settings.WriteSetting(kTransparentValueKey.key, inputs_.options.TransparentValueText);
}

void Form2::Text1_Change() {
  store_folder_button_.SetEnabled(true);
}

void Form2::Command3_Click() {
  // Stored as typed: no trimming, no check that the folder exists. The saves use exactly what
  // the settings file holds, so that a pasted line break cannot stop them until the next start.
  const std::string folder(StoredText(folder_box_.text()));
  inputs_.settings.WriteSetting(kSavePathKey.key, folder);
  inputs_.save_folder.SetText(folder);
  inputs_.cues.Play(cue::kSaveSettings);
  store_folder_button_.SetEnabled(false);
}

void Form2::Command40_Click() {
  inputs_.cues.Play(cue::kSaveSettings);
  form_.Hide();
}

void Form2::Command_KeyPress(int key_ascii) {
  if (key_ascii != kEscape) return;
  inputs_.cues.Play(cue::kCancel);
  form_.Hide();
}

void Form2::Command1_Click() {
  inputs_.shell.OpenHelp();
}

void Form2::Label9_Click() {
  inputs_.shell.OpenWebPage(form_, kWebPage);
}

void Form2::Label10_Click() {
  inputs_.shell.ComposeMail(form_, kMailAddress, "Clipnest v1.0");
}

}  // namespace clipnest
