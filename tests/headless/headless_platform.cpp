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
  auto found = files_.find(path);
  return found == files_.end() ? std::string() : found->second.substr(0, count);
}

void MemoryDisk::CheckWritable(const std::string& path) const {
  if (folders_.count(FolderOf(path)) == 0) throw RuntimeError(ErrorNumber::kPathNotFound);
  if (path.find_first_of("\r\n") != std::string::npos)
    throw RuntimeError(ErrorNumber::kBadFileName);
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

HeadlessPlatform::HeadlessPlatform()
    : ansi(*SingleByteCodePage::Make(1251)), profile(disk, ansi), platform{windows,  profile,
                                                                           messages, sounds,
                                                                           process,  clock,
                                                                           ansi,     clipboard,
                                                                           disk} {}

}  // namespace clipnest::headless
