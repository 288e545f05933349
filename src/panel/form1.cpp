#include "panel/form1.h"

#include "feedback/cues.h"
#include "panel/panel_layout.h"
#include "panel/program.h"
#include "panel/window_operations.h"
#include "platform/process_control.h"
#include "saving/picture_save.h"
#include "saving/text_save.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"

namespace clipnest {

Form1::Form1(Program& program)
    : program_(program),
      form_(program.platform().windows, "Form1", FormStyle::kBorderless, kPanelDesignWidth,
            kPanelDesignHeight) {
  AddControls(form_, PanelLayout());
  Control& timer = form_["Timer1"];
  timer.set_interval_ms(kTimer1IntervalMs);
  timer.on_tick = [this] { Timer1_Timer(); };
  form_["Image1"].on_click = [this] { Image1_Click(); };
  form_["Image2"].on_click = [this] { Image2_Click(); };
  form_["Image3"].on_click = [this] { Image3_Click(); };
}

void Form1::Form_Load() {
  Module1& module1 = program_.module1();
  SettingsFile& settings = program_.settings();
  const char separator = module1.DecimalSeparator();

  form_.SetHeight(kPanelStripHeight);
  if (program_.platform().process.AnotherInstanceRunning())
    program_.platform().process.EndProcess();
  SetTopmost(form_, true);

  if (auto left = settings.ReadSetting(kLeftKey.key, kLeftKey.missing_message); left.present)
    form_.SetLeft(static_cast<float>(LenientNumber(left.text)));
  if (auto top = settings.ReadSetting(kTopKey.key, kTopKey.missing_message); top.present)
    form_.SetTop(static_cast<float>(LenientNumber(top.text)));
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
  program_.cues().Play(cue::kLoad);
}

void Form1::SetTransparent1(std::uint8_t opacity) {
  form_.SetLayeredOpacity(opacity);
}

void Form1::Image1_Click() {
  SaveTextStamped(program_);
}

void Form1::Image2_Click() {
  program_.named_text().OpenNamedTextDialog();
}

void Form1::Image3_Click() {
  SavePictureStamped(program_);
}

void Form1::Timer1_Timer() {
  // The hotkeys are polled here.
}

}  // namespace clipnest
