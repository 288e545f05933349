#pragma once

namespace clipnest {

class AnsiCodePage;
class Clipboard;
class ColourChooser;
class Files;
class MessageBoxes;
class ProcessControl;
class ProfileStrings;
class RegionalClock;
class Shell;
class SoundPlayer;
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
};

}  // namespace clipnest
