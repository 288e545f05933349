#include "panel/form1.h"

#include "dialogs/named_text/named_text_dialog.h"
#include "dialogs/settings/settings_dialog.h"
#include "feedback/cues.h"
#include "forms/window_operations.h"
#include "panel/module1.h"
#include "panel/panel_layout.h"
#include "platform/key_state.h"
#include "platform/process_control.h"
#include "saving/clipboard_saves.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

namespace clipnest {

Form1::Form1(Form& window, PanelPeers peers) : form_(window), peers_(peers) {
  form_["Image1"].on_click = [this] { Image1_Click(); };
  form_["Image2"].on_click = [this] { Image2_Click(); };
  form_["Image3"].on_click = [this] { Image3_Click(); };
  form_["Image4"].on_click = [this] { Image4_Click(); };
  form_["Image5"].on_click = [this] { Image5_Click(); };
  form_["Image6"].on_click = [this] { Image6_Click(); };
  form_["Image7"].on_click = [this] { Image7_Click(); };
  form_["Image8"].on_click = [this] { Image8_Click(); };
  form_.on_mouse_down = [this] { Form_MouseDown(); };
  form_.on_close_request = [this] { Form_Unload(); };

  Control& timer = form_["Timer1"];
  timer.on_tick = [this] { Timer1_Timer(); };
  // A tick on which none of the polled keys is down or went down does nothing; where the key
  // state can wake it, the timer rests until one goes down.
  timer.rests_when = [this] { return peers_.keys.Quiet(virtual_key::kAll); };
  peers_.keys.on_key_down = [&timer] { timer.Wake(); };
}

void Form1::Form_Load() {
  Module1& module1 = peers_.module1;
  SettingsFile& settings = peers_.settings;
  const char separator = module1.DecimalSeparator();

  form_.SetHeight(kPanelStripHeight);
  if (peers_.process.AnotherInstanceRunning()) peers_.process.EndProcess();
  SetTopmost(form_, true);

  if (auto left = settings.ReadSetting(kLeftKey.key, kLeftKey.missing_message); left.present) {
    if (auto twips = LenientPosition(left.text)) form_.SetLeft(*twips);
  }
  if (auto top = settings.ReadSetting(kTopKey.key, kTopKey.missing_message); top.present) {
    if (auto twips = LenientPosition(top.text)) form_.SetTop(*twips);
  }
  if (auto path = settings.ReadSetting(kSavePathKey.key, kSavePathKey.missing_message);
      path.present)
    form_["Text4"].SetText(path.text);
  // A colour that is not a whole number is treated like a missing key.
  if (auto border = settings.ReadSetting(kBorderColorKey.key, kBorderColorKey.missing_message);
      border.present) {
    if (auto colour = StrictInt32(border.text, separator))
      form_["Shape1"].SetForeColour(static_cast<OleColour>(*colour));
  }
  if (auto main = settings.ReadSetting(kMainColorKey.key, kMainColorKey.missing_message);
      main.present) {
    if (auto colour = StrictInt32(main.text, separator))
      form_.SetBackColour(static_cast<OleColour>(*colour));
  }
  module1.HotPrintScreenFlag =
      settings.ReadSetting(kHotPrintScreenKey.key, kHotPrintScreenKey.missing_message).text;
  module1.SoundsFlag = settings.ReadSetting(kSoundsKey.key, kSoundsKey.missing_message).text;
  module1.TransparentFlag =
      settings.ReadSetting(kTransparentKey.key, kTransparentKey.missing_message).text;
  auto opacity =
      settings.ReadSetting(kTransparentValueKey.key, kTransparentValueKey.missing_message);
  module1.TransparentValueText = opacity.text;
  if (opacity.present) {
    if (auto value = StrictByte(opacity.text, separator)) module1.TransparentValue = *value;
  }

  if (module1.IsOn(module1.TransparentFlag)) SetTransparent1(module1.TransparentValue);
  peers_.cues.Play(cue::kLoad);
}

void Form1::SetTransparent1(std::uint8_t opacity) {
  form_.SetLayeredOpacity(opacity);
}

void Form1::Image1_Click() {
  peers_.saves.SaveTextStamped();
}

void Form1::Image2_Click() {
  peers_.named_text.OpenNamedTextDialog();
}

void Form1::Image3_Click() {
  peers_.saves.SavePictureStamped();
}

void Form1::Image7_Click() {
  peers_.settings_dialog.Open();
}

}  // namespace clipnest
