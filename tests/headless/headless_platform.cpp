#include "headless/headless_platform.h"

#include "forms/form.h"

namespace clipnest::headless {
namespace {

// A window that shows nothing; the form model holds everything tests look at.
class SilentView : public FormView {
 public:
  void WindowChanged(WindowAspect) override {}
  void ControlChanged(const Control&, ControlAspect) override {}
  void FocusChanged(const Control&) override {}
  void BringToFront() override {}
  // The test moves the window and lets the button go through the form's input.
  void StartMove() override {}
  // The position is the one the test reported last.
  void ReportPosition() override {}
};

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::unique_ptr<FormView> Windows::CreateView(Form& form) {
  ++created[form.name()];
  return std::make_unique<SilentView>();
}

std::vector<std::string> MemoryDisk::FileNames() const {
  std::vector<std::string> names;
  for (const auto& [name, content] : files_) names.push_back(name);
  return names;
}

std::vector<std::string> MemoryDisk::Entries(const std::string& folder) const {
  std::set<std::string> names;
  for (const auto* set : {&folders_, &specials_}) {
    for (const std::string& path : *set)
      if (!path.empty() && FolderOf(path) == folder) names.insert(path.substr(folder.size() + 1));
  }
  for (const auto& [path, content] : files_)
    if (FolderOf(path) == folder) names.insert(path.substr(folder.size() + 1));
  return {names.begin(), names.end()};
}

std::optional<std::string> MemoryDisk::Load(const std::string& path) {
  auto found = files_.find(path);
  return found == files_.end() ? std::string() : found->second;
}

bool MemoryDisk::Store(const std::string& path, const std::string& bytes) {
  if (failure_ != ErrorNumber::kNone || folders_.count(FolderOf(path)) == 0) return false;
  files_[path] = bytes;
  return true;
}

std::string MemoryDisk::ReadStart(const std::string& path, std::size_t count) {
  CheckRegular(path);
  auto found = files_.find(path);
  return found == files_.end() ? std::string() : found->second.substr(0, count);
}

std::string MemoryDisk::ReadWhole(const std::string& path, std::size_t limit) {
  CheckRegular(path);
  auto found = files_.find(path);
  if (found == files_.end()) return {};
  if (found->second.size() > limit) throw RuntimeError(ErrorNumber::kOutOfMemory);
  return found->second;
}

void MemoryDisk::CheckRegular(const std::string& path) const {
  if (folders_.count(path) || specials_.count(path))
    throw RuntimeError(ErrorNumber::kPathFileAccess);
}

void MemoryDisk::CheckWritable(const std::string& path) const {
  if (path.find_first_of("\r\n") != std::string::npos)
    throw RuntimeError(ErrorNumber::kBadFileName);
  if (folders_.count(FolderOf(path)) == 0) throw RuntimeError(ErrorNumber::kPathNotFound);
  CheckRegular(path);
  if (failure_ != ErrorNumber::kNone) throw RuntimeError(failure_);
}

void MemoryDisk::Append(const std::string& path, std::string_view bytes) {
  CheckWritable(path);
  files_[path].append(bytes);
}

void MemoryDisk::Replace(const std::string& path, std::string_view bytes) {
  CheckWritable(path);
  files_[path] = std::string(bytes);
}

std::vector<std::string> RecordedSounds::Cues() const {
  std::vector<std::string> cues;
  for (const std::string& path : played) {
    std::string name = path.substr(path.rfind('/') + 1);
    cues.push_back(name.substr(0, name.rfind('.')));
  }
  return cues;
}

std::string ScriptedClipboard::Text() {
  if (unreadable) throw RuntimeError(ErrorNumber::kCantOpenClipboard);
  return text;
}

Picture ScriptedClipboard::Image() {
  if (unreadable) throw RuntimeError(ErrorNumber::kCantOpenClipboard);
  return picture;
}

void RecordedMessages::ShowOk(const Form* owner, std::string_view caption, std::string_view text) {
  shown.push_back({std::string(caption), std::string(text), owner ? owner->name() : ""});
  if (on_show) on_show();
}

std::optional<std::uint32_t> ScriptedColourChooser::Choose(const Form& owner,
                                                           std::uint32_t initial) {
  started_at.push_back(initial);
  owners.push_back(owner.name());
  if (answers.empty()) return std::nullopt;
  auto answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

void RecordedRequests::Launch(Tool tool) {
  static const char* const kNames[] = {"text editor", "paint program", "calculator"};
  asked.push_back(std::string(kNames[static_cast<int>(tool)]) + " launched");
}

void RecordedRequests::OpenWebPage(const Form&, std::string_view url) {
  asked.push_back("web page " + std::string(url) + " opened");
}

void RecordedRequests::ComposeMail(const Form&, std::string_view address,
                                   std::string_view subject) {
  asked.push_back("mail to " + std::string(address) + ", subject " + std::string(subject));
}

std::int16_t ScriptedKeys::AsyncKeyState(int virtual_key) {
  queries.push_back(virtual_key);
  std::uint16_t state = down_.count(virtual_key) ? kKeyDownNow : 0;
  if (latched_.erase(virtual_key)) state |= kKeyWentDown;
  return static_cast<std::int16_t>(state);
}

bool ScriptedKeys::Quiet(std::span<const int> virtual_keys) {
  if (!can_wake) return false;
  for (int key : virtual_keys) {
    if (down_.count(key) || latched_.count(key)) return false;
  }
  return true;
}

void ScriptedKeys::Press(int virtual_key) {
  if (!down_.insert(virtual_key).second) return;
  latched_.insert(virtual_key);
  if (on_key_down) on_key_down();
}

void ScriptedKeys::Release(int virtual_key) {
  down_.erase(virtual_key);
}

void ScriptedKeys::Tap(int virtual_key) {
  latched_.insert(virtual_key);
  if (on_key_down) on_key_down();
}

void RecordedScreenshot::PrintScreenPressed(bool window_only) {
  presses.push_back(window_only);
  if (!shot.empty()) clipboard_.picture = shot;
}

HeadlessPlatform::HeadlessPlatform()
    : ansi(*SingleByteCodePage::Make(1251)),
      ini(disk, ansi),
      platform{.windows = windows,
               .profile = profile,
               .messages = messages,
               .sound = sounds,
               .process = process,
               .clock = clock,
               .ansi = ansi,
               .clipboard = clipboard,
               .files = disk,
               .keys = keys,
               .screenshot = screenshot,
               .colours = colours,
               .shell = requests,
               .tools = requests} {}

}  // namespace clipnest::headless
