#pragma once

// A platform without a screen or a disk, whose every outside effect is scripted or recorded, so
// that tests can drive whole user stories.

#include "forms/window_system.h"
#include "platform/ansi/code_pages.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/ini/ini_profile_strings.h"
#include "platform/key_state.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/process_control.h"
#include "platform/regional_clock.h"
#include "platform/runtime_error.h"
#include "platform/sound_player.h"
#include "platform/system_screenshot.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace clipnest::headless {

class Windows : public WindowSystem {
 public:
  std::unique_ptr<FormView> CreateView(Form& form) override;
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
  // How many native windows were made, by form name.
  std::map<std::string, int> created;
};

// Files in memory. Folders must be made before files can be written into them.
class MemoryDisk : public IniFileStore, public Files {
 public:
  void MakeFolder(const std::string& path) { folders_.insert(path); }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const std::string& Content(const std::string& path) const { return files_.at(path); }
  void SetContent(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  std::vector<std::string> FileNames() const;
  // Makes every later write fail with this number (kNone for no failure).
  void FailWritesWith(ErrorNumber number) { failure_ = number; }

  std::optional<std::string> Load(const std::string& path) override;
  bool Store(const std::string& path, const std::string& bytes) override;
  std::string ReadStart(const std::string& path, std::size_t count) override;
  std::string ReadWhole(const std::string& path, std::size_t limit) override;
  void Append(const std::string& path, std::string_view bytes) override;
  void Replace(const std::string& path, std::string_view bytes) override;

 private:
  void CheckWritable(const std::string& path) const;

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_{"", "/app"};
  ErrorNumber failure_ = ErrorNumber::kNone;
};

struct Message {
  std::string caption;
  std::string text;
};

class RecordedMessages : public MessageBoxes {
 public:
  void ShowOk(std::string_view caption, std::string_view text) override {
    shown.push_back({std::string(caption), std::string(text)});
    if (on_show) on_show();
  }
  std::vector<Message> shown;
  std::function<void()> on_show;
};

class RecordedSounds : public SoundPlayer {
 public:
  void Play(std::string_view wave_path) override {
    played.emplace_back(wave_path);
    if (on_play) on_play();
  }
  std::function<void()> on_play;
  // The cue names played, in order ("Sounds/Load.wav" gives "Load").
  std::vector<std::string> Cues() const;
  std::vector<std::string> played;
};

struct ProcessEnded {};

class FakeProcess : public ProcessControl {
 public:
  std::string ExecutableFolder() override { return "/app"; }
  bool AnotherInstanceRunning() override { return another_running; }
  // Nothing of the program may run after this: the throw unwinds the handler that ended it.
  [[noreturn]] void EndProcess() override {
    ended = true;
    throw ProcessEnded{};
  }
  void StartHidden(std::string_view command_line) override { started.emplace_back(command_line); }
  bool another_running = false;
  bool ended = false;
  std::vector<std::string> started;
};

// Keys as the user holds and taps them, read with the meaning of the Windows key state.
class ScriptedKeys : public KeyState {
 public:
  std::int16_t AsyncKeyState(int virtual_key) override;
  bool Quiet(std::span<const int> virtual_keys) override;
  void Press(int virtual_key);    // goes down and stays down
  void Release(int virtual_key);  // comes up
  void Tap(int virtual_key);      // down and up again between two queries
  // Whether the key state wakes a resting poller (as the Linux one does).
  bool can_wake = false;
  std::vector<int> queries;  // every key queried, in order

 private:
  std::set<int> down_;
  std::set<int> latched_;
};

class RecordedScreenshot : public SystemScreenshot {
 public:
  void TakeAtPrintScreen(std::function<bool()> wanted) override { this->wanted = wanted; }
  std::function<bool()> wanted;
};

class ScriptedClock : public RegionalClock {
 public:
  std::string TimeText() override { return time; }
  std::string DateText() override { return date; }
  char DecimalSeparator() override { return decimal_separator; }
  std::string time = "9:05:03";
  std::string date = "06.12.2026";
  char decimal_separator = ',';
};

class ScriptedClipboard : public Clipboard {
 public:
  std::string Text() override;
  Picture Image() override;
  std::string text;
  Picture picture;
  bool unreadable = false;
};

// The whole headless platform, with Russian regional settings.
struct HeadlessPlatform {
  HeadlessPlatform();

  Windows windows;
  MemoryDisk disk;
  SingleByteCodePage ansi;
  IniProfileStrings profile;
  RecordedMessages messages;
  RecordedSounds sounds;
  FakeProcess process;
  ScriptedClock clock;
  ScriptedClipboard clipboard;
  ScriptedKeys keys;
  RecordedScreenshot screenshot;
  Platform platform;

  static constexpr const char* kSettingsPath = "/app/Settings.ini";
  void WriteSettings(std::string_view ansi_lines) {
    disk.SetContent(kSettingsPath, std::string(ansi_lines));
  }
};

}  // namespace clipnest::headless
