#pragma once

#include "forms/form.h"
#include "platform/tools.h"

#include <cstdint>
#include <string_view>

namespace clipnest {

class ClipboardSaves;
class Cues;
class KeyState;
class NamedTextDialog;
class SettingsDialog;
class ProcessControl;
class SettingsFile;
class SystemScreenshot;
class Tools;
struct Module1;

// What the panel's handlers reach, looked up once by the program.
struct PanelPeers {
  Module1& module1;
  SettingsFile& settings;
  Cues& cues;
  ProcessControl& process;
  Tools& tools;
  KeyState& keys;
  SystemScreenshot& screenshot;
  ClipboardSaves& saves;
  NamedTextDialog& named_text;
  SettingsDialog& settings_dialog;
};

// The panel: the program's start-up window, with its picture buttons, its frame, the hotkey
// timer and the hidden holders that carry working values between handlers.
class Form1 {
 public:
  Form1(Form& window, PanelPeers peers);

  Form& form() { return form_; }
  Control& operator[](const std::string& name) { return form_[name]; }

  // Start-up: runs once, before the panel is shown.
  void Form_Load();
  // Makes the panel translucent with the given opacity (0 invisible, 255 opaque).
  void SetTransparent1(std::uint8_t opacity);

 private:
  void Image1_Click();
  void Image2_Click();
  void Image3_Click();
  void Image4_Click();
  void Image5_Click();
  void Image6_Click();
  void Image7_Click();
  void Image8_Click();
  void Form_MouseDown();
  void Form_Unload();
  void Timer1_Timer();

  void LaunchTool(std::string_view cue_name, Tool tool);
  // Writes Left and Top from where the panel is now.
  void WritePosition();

  Form& form_;
  PanelPeers peers_;
  bool pause_was_down_ = false;         // the Pause key as the previous tick read it
  bool print_screen_was_down_ = false;  // and PrintScreen
};

}  // namespace clipnest
