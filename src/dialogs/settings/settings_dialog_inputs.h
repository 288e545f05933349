#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace clipnest {

class ColourChooser;
class Control;
class Cues;
class Form;
class RegionalClock;
class SettingsFile;
class Shell;
class WindowSystem;

// The program-wide options that the settings dialog shows and changes, read at every use.
struct ProgramOptions {
  std::string& SoundsFlag;
  std::string& HotPrintScreenFlag;
  std::string& TransparentFlag;
  std::string& TransparentValueText;
  std::uint8_t& TransparentValue;
};

// What the settings dialog works with, looked up once by the program.
struct SettingsDialogInputs {
  WindowSystem& windows;
  SettingsFile& settings;
  Cues& cues;
  RegionalClock& regional;  // the user's number format, for the option tests
  ColourChooser& colours;
  Shell& shell;
  ProgramOptions options;
  Form& panel;                                        // its background colour
  Control& panel_border;                              // the panel's frame
  Control& save_folder;                               // the panel's holder of the save folder
  std::function<void(std::uint8_t)> SetTransparent1;  // the panel's opacity
};

}  // namespace clipnest
