#pragma once

// A platform without a screen or a disk, whose every outside effect is scripted or recorded, so
// that tests can drive whole user stories.

#include "forms/form.h"
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

// A window that shows nothing; the form model holds everything tests look at. The test moves the
// window itself and reports its position.
struct SilentView : FormView {
  void WindowChanged(WindowAspect) override {}
  void ControlChanged(const Control&, ControlAspect) override {}
  void FocusChanged(const Control&) override {}
  void BringToFront() override {}
  void StartMove() override {}
  void ReportPosition() override {}
};

struct Windows : WindowSystem {
  std::unique_ptr<FormView> CreateView(Form& form) override {
    ++created[form.name()];
    return std::make_unique<SilentView>();
  }
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
  std::map<std::string, int> created;  // native windows made, by form name
};

// Files in memory, with the failures of a real disk. Folders must be made before files can be
// written into them.
struct MemoryDisk : IniFileStore, Files {
  void MakeFolder(const std::string& path) { folders_.insert(path); }
  // Something that is not a regular file (a FIFO, a device) under the name.
  void MakeSpecial(const std::string& path) { specials_.insert(path); }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const std::string& Content(const std::string& path) const { return files_.at(path); }
  void SetContent(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& [name, content] : files_) names.push_back(name);
    return names;
  }
  std::vector<std::string> Entries(const std::string& folder) const {  // sorted
    std::set<std::string> names;
    for (const auto& paths : {FileNames(), std::vector(folders_.begin(), folders_.end()),
                              std::vector(specials_.begin(), specials_.end())})
      for (const std::string& path : paths)
        if (!path.empty() && FolderOf(path) == folder) names.insert(path.substr(folder.size() + 1));
    return {names.begin(), names.end()};
  }
  // Makes every later write fail with this number (kNone for no failure).
  void FailWritesWith(ErrorNumber number) { failure_ = number; }

  std::optional<std::string> Load(const std::string& path) override { return Find(path); }
  bool Store(const std::string& path, const std::string& bytes) override {
    if (failure_ != ErrorNumber::kNone || folders_.count(FolderOf(path)) == 0) return false;
    files_[path] = bytes;
    return true;
  }
  std::string ReadStart(const std::string& path, std::size_t count) override {
    return Find(CheckRegular(path)).substr(0, count);
  }
  std::string ReadWhole(const std::string& path, std::size_t limit) override {
    std::string bytes = Find(CheckRegular(path));
    if (bytes.size() > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
    return bytes;
  }
  void Append(const std::string& path, std::string_view bytes) override {
    files_[CheckWritable(path)].append(bytes);
  }
  void Replace(const std::string& path, std::string_view bytes) override {
    files_[CheckWritable(path)] = std::string(bytes);
  }

 private:
  static std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }
  std::string Find(const std::string& path) const {
    auto found = files_.find(path);
    return found == files_.end() ? std::string() : found->second;
  }
  const std::string& CheckRegular(const std::string& path) const {
    if (folders_.count(path) || specials_.count(path))
      throw RuntimeError(ErrorNumber::kPathFileAccess);
    return path;
  }
  const std::string& CheckWritable(const std::string& path) const {
    if (path.find_first_of("\r\n") != std::string::npos)
      throw RuntimeError(ErrorNumber::kBadFileName);
    if (folders_.count(FolderOf(path)) == 0) throw RuntimeError(ErrorNumber::kPathNotFound);
    CheckRegular(path);
    if (failure_ != ErrorNumber::kNone) throw RuntimeError(failure_);
    return path;
  }

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_{"", "/app"}, specials_;
  ErrorNumber failure_ = ErrorNumber::kNone;
};

// The settings file's profile strings, with every write noted as "key=value" on its way.
struct RecordedProfile : IniProfileStrings {
  using IniProfileStrings::IniProfileStrings;
  void Put(std::string_view section, std::string_view key, std::string_view value,
           const std::string& path) override {
    writes.push_back(std::string(key) + "=" + std::string(value));
    IniProfileStrings::Put(section, key, value, path);
  }
  std::vector<std::string> writes;
};

struct Message {
  std::string caption, text, owner;  // owner: the owner window's name, empty for none
};

struct RecordedMessages : MessageBoxes {
  void ShowOk(const Form* owner, std::string_view caption, std::string_view text) override {
    shown.push_back({std::string(caption), std::string(text), owner ? owner->name() : ""});
    if (on_show) on_show();
  }
  std::vector<Message> shown;
  std::function<void()> on_show;
};

struct RecordedSounds : SoundPlayer {
  void Play(std::string_view wave_path) override {
    played.emplace_back(wave_path);
    if (on_play) on_play();
  }
  // The cue names played, in order ("Sounds/Load.wav" gives "Load").
  std::vector<std::string> Cues() const {
    std::vector<std::string> cues;
    for (const std::string& path : played)
      cues.push_back(path.substr(path.rfind('/') + 1, path.rfind('.') - path.rfind('/') - 1));
    return cues;
  }
  std::function<void()> on_play;
  std::vector<std::string> played;
};

struct ProcessEnded {};

struct FakeProcess : ProcessControl {
  std::string ExecutableFolder() override { return "/app"; }
  bool AnotherInstanceRunning() override { return another_running; }
  // Nothing of the program may run after this: the throw unwinds the handler that ended it.
  [[noreturn]] void EndProcess() override {
    ended = true;
    throw ProcessEnded{};
  }
  bool another_running = false, ended = false;
};

// Keys as the user holds and taps them, read with the meaning of the Windows key state.
struct ScriptedKeys : KeyState {
  std::int16_t AsyncKeyState(int virtual_key) override {
    queries.push_back(virtual_key);
    std::uint16_t state = down_.count(virtual_key) ? kKeyDownNow : 0;
    if (latched_.erase(virtual_key)) state |= kKeyWentDown;
    return static_cast<std::int16_t>(state);
  }
  bool Quiet(std::span<const int> virtual_keys) override {
    for (int key : virtual_keys)
      if (down_.count(key) || latched_.count(key)) return false;
    return can_wake;
  }
  void Press(int virtual_key) {  // goes down and stays down
    if (down_.insert(virtual_key).second) Tap(virtual_key);
  }
  void Release(int virtual_key) { down_.erase(virtual_key); }
  void Tap(int virtual_key) {  // down and up again between two queries
    latched_.insert(virtual_key);
    if (on_key_down) on_key_down();
  }
  bool can_wake = false;     // whether a resting poller wakes (as the Linux one does)
  std::vector<int> queries;  // every key queried, in order

 private:
  std::set<int> down_, latched_;
};

// The colour chooser as the user answers it: each call takes the next answer (a colour, or
// nothing for a cancel).
struct ScriptedColourChooser : ColourChooser {
  std::optional<std::uint32_t> Choose(const Form& owner, std::uint32_t initial) override {
    started_at.push_back(initial);
    owners.push_back(owner.name());
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::optional<std::uint32_t>> answers;
  std::vector<std::uint32_t> started_at;  // the colour each call started at
  std::vector<std::string> owners;
};

// The tools, pages, mails and help the program asked for, one line each, in order: "text editor
// launched", "web page http://clipnest.org opened", "mail to a@b, subject S", "help opened".
struct RecordedRequests : Tools, Shell {
  void Launch(Tool tool) override {
    static const char* const kNames[] = {"text editor", "paint program", "calculator"};
    asked.push_back(std::string(kNames[static_cast<int>(tool)]) + " launched");
  }
  void OpenWebPage(const Form&, std::string_view url) override {
    asked.push_back("web page " + std::string(url) + " opened");
  }
  void ComposeMail(const Form&, std::string_view address, std::string_view subject) override {
    asked.push_back("mail to " + std::string(address) + ", subject " + std::string(subject));
  }
  void OpenHelp() override { asked.push_back("help opened"); }
  std::vector<std::string> asked;
};

struct ScriptedClock : RegionalClock {
  std::string TimeText() override { return time; }
  std::string DateText() override { return date; }
  char DecimalSeparator() override { return ','; }
  std::string time = "9:05:03", date = "06.12.2026";
};

struct ScriptedClipboard : Clipboard {
  std::string Text() override { return Check(), text; }
  Picture Image() override { return Check(), picture; }
  void Check() const {
    if (unreadable) throw RuntimeError(ErrorNumber::kCantOpenClipboard);
  }
  std::string text;
  Picture picture;
  bool unreadable = false;
};

// Records each press it is told of; puts `shot`, when there is one, on the clipboard then.
struct RecordedScreenshot : SystemScreenshot {
  explicit RecordedScreenshot(ScriptedClipboard& clipboard) : clipboard_(clipboard) {}
  void TakeAtPrintScreen(std::function<bool()> wanted) override { this->wanted = wanted; }
  void PrintScreenPressed(bool window_only) override {
    presses.push_back(window_only);
    if (!shot.empty()) clipboard_.picture = shot;
  }
  std::function<bool()> wanted;
  std::vector<bool> presses;  // window_only of each
  Picture shot;

 private:
  ScriptedClipboard& clipboard_;
};

// The whole headless platform, with Russian regional settings.
struct HeadlessPlatform {
  Windows windows;
  MemoryDisk disk;
  SingleByteCodePage ansi = *SingleByteCodePage::Make(1251);
  RecordedProfile profile{disk, ansi};
  RecordedMessages messages;
  RecordedSounds sounds;
  FakeProcess process;
  ScriptedClock clock;
  ScriptedClipboard clipboard;
  ScriptedKeys keys;
  RecordedScreenshot screenshot{clipboard};
  ScriptedColourChooser colours;
  RecordedRequests requests;
  Platform platform{windows,   profile, messages, sounds,     process, clock,    ansi,
                    clipboard, disk,    keys,     screenshot, colours, requests, requests};

  static constexpr const char* kSettingsPath = "/app/Settings.ini";
  void WriteSettings(std::string_view ansi_lines) {
    disk.SetContent(kSettingsPath, std::string(ansi_lines));
  }
};

}  // namespace clipnest::headless
