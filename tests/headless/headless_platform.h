#pragma once

// A platform without a screen or a disk, whose every outside effect is scripted or recorded, so
// that tests can drive whole user stories.

#include "forms/window_system.h"
#include "platform/ansi/code_pages.h"
#include "platform/clipboard.h"
#include "platform/colour_chooser.h"
#include "platform/files.h"
#include "platform/ini/ini_profile_strings.h"
#include "platform/key_state.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/process_control.h"
#include "platform/regional_clock.h"
#include "platform/runtime_error.h"
#include "platform/shell.h"
#include "platform/sound_player.h"
#include "platform/system_screenshot.h"
#include "platform/tools.h"

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

// Files in memory, with the failures of a real disk. Folders must be made before files can be
// written into them.
class MemoryDisk : public IniFileStore, public Files {
 public:
  void MakeFolder(const std::string& path) { folders_.insert(path); }
  // Something that is not a regular file (a FIFO, a device) under the name.
  void MakeSpecial(const std::string& path) { specials_.insert(path); }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const std::string& Content(const std::string& path) const { return files_.at(path); }
  void SetContent(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  std::vector<std::string> FileNames() const;
  // The names of the files and folders directly in a folder, sorted.
  std::vector<std::string> Entries(const std::string& folder) const;
  // Makes every later write fail with this number (kNone for no failure).
  void FailWritesWith(ErrorNumber number) { failure_ = number; }

  std::optional<std::string> Load(const std::string& path) override;
  bool Store(const std::string& path, const std::string& bytes) override;
  std::string ReadStart(const std::string& path, std::size_t count) override;
  std::string ReadWhole(const std::string& path, std::size_t limit) override;
  void Append(const std::string& path, std::string_view bytes) override;
  void Replace(const std::string& path, std::string_view bytes) override;

 private:
  void CheckRegular(const std::string& path) const;
  void CheckWritable(const std::string& path) const;

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_{"", "/app"};
  std::set<std::string> specials_;
  ErrorNumber failure_ = ErrorNumber::kNone;
};

// The settings file's profile strings, with every write noted as "key=value" on its way.
class RecordedProfile : public ProfileStrings {
 public:
  explicit RecordedProfile(ProfileStrings& file) : file_(file) {}
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback,
                  std::size_t buffer_size, const std::string& path) override {
    return file_.Get(section, key, fallback, buffer_size, path);
  }
  void Put(std::string_view section, std::string_view key, std::string_view value,
           const std::string& path) override {
    writes.push_back(std::string(key) + "=" + std::string(value));
    file_.Put(section, key, value, path);
  }
  std::vector<std::string> writes;

 private:
  ProfileStrings& file_;
};

struct Message {
  std::string caption;
  std::string text;
  std::string owner;  // the owner window's name, empty for none
};

class RecordedMessages : public MessageBoxes {
 public:
  void ShowOk(const Form* owner, std::string_view caption, std::string_view text) override;
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
  bool another_running = false;
  bool ended = false;
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

// The colour chooser as the user answers it: each call takes the next answer (a colour, or
// nothing for a cancel).
class ScriptedColourChooser : public ColourChooser {
 public:
  std::optional<std::uint32_t> Choose(const Form& owner, std::uint32_t initial) override;
  std::vector<std::optional<std::uint32_t>> answers;
  std::vector<std::uint32_t> started_at;  // the colour each call started at
  std::vector<std::string> owners;
};

// The tools, pages, mails and help the program asked for, one line each, in order: "text editor
// launched", "web page http://clipnest.org opened", "mail to a@b, subject S", "help opened".
class RecordedRequests : public Tools, public Shell {
 public:
  void Launch(Tool tool) override;
  void OpenWebPage(const Form& owner, std::string_view url) override;
  void ComposeMail(const Form& owner, std::string_view address, std::string_view subject) override;
  void OpenHelp() override { asked.push_back("help opened"); }
  std::vector<std::string> asked;
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

// Records each press it is told of; puts `shot`, when there is one, on the clipboard then.
class RecordedScreenshot : public SystemScreenshot {
 public:
  explicit RecordedScreenshot(ScriptedClipboard& clipboard) : clipboard_(clipboard) {}
  void TakeAtPrintScreen(std::function<bool()> wanted) override { this->wanted = wanted; }
  void PrintScreenPressed(bool window_only) override;
  std::function<bool()> wanted;
  std::vector<bool> presses;  // window_only of each
  Picture shot;

 private:
  ScriptedClipboard& clipboard_;
};

// The whole headless platform, with Russian regional settings.
struct HeadlessPlatform {
  HeadlessPlatform();

  Windows windows;
  MemoryDisk disk;
  SingleByteCodePage ansi;
  IniProfileStrings ini;
  RecordedProfile profile{ini};
  RecordedMessages messages;
  RecordedSounds sounds;
  FakeProcess process;
  ScriptedClock clock;
  ScriptedClipboard clipboard;
  ScriptedKeys keys;
  RecordedScreenshot screenshot{clipboard};
  ScriptedColourChooser colours;
  RecordedRequests requests;
  Platform platform;

  static constexpr const char* kSettingsPath = "/app/Settings.ini";
  void WriteSettings(std::string_view ansi_lines) {
    disk.SetContent(kSettingsPath, std::string(ansi_lines));
  }
};

}  // namespace clipnest::headless
