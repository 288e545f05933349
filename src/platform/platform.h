#pragma once

namespace clipnest {

class AnsiCodePage;
class Clipboard;
class ColourChooser;
class Files;
class KeyState;
class MessageBoxes;
class ProcessControl;
class ProfileStrings;
class RegionalClock;
class Shell;
class SoundPlayer;
class SystemScreenshot;
class Tools;
class WindowSystem;

// Everything outside the program, as one backend provides it.
struct Platform {
  WindowSystem& windows;
  ProfileStrings& profile;
  MessageBoxes& messages;
  SoundPlayer& sound;
  ProcessControl& process;
  RegionalClock& clock;
  AnsiCodePage& ansi;
  Clipboard& clipboard;
  Files& files;
  KeyState& keys;
  SystemScreenshot& screenshot;
  ColourChooser& colours;
  Shell& shell;
  Tools& tools;
};

}  // namespace clipnest
