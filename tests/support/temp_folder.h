#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest::test_support {

// The path of UTF-8 text, as the program hands paths to its backend.
inline std::filesystem::path PathOf(std::string_view utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// A fresh folder in the system's temporary folder, removed with everything in it when the test
// ends. It is also the contract suites' view of a real disk from outside the program.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // A name in the folder, after the system's separator.
  std::string operator/(std::string_view name) const {
    return path_ + static_cast<char>(std::filesystem::path::preferred_separator) +
           std::string(name);
  }
  std::string Path(std::string_view name) const { return *this / name; }
  void MakeFolder(std::string_view name) const {
    std::filesystem::create_directory(PathOf(Path(name)));
  }
  std::string Read(const std::string& path) const { return ReadBytes(path); }
  void Write(const std::string& path, std::string_view bytes) const { WriteBytes(path, bytes); }
  bool Exists(const std::string& path) const { return std::filesystem::exists(PathOf(path)); }
  // The names in the folder (or one of its subfolders), sorted.
  std::vector<std::string> Entries(std::string_view subfolder = "") const {
    return EntriesOf(subfolder.empty() ? path_ : *this / subfolder);
  }
  static std::vector<std::string> EntriesOf(const std::string& folder);

 private:
  std::string path_;
};

}  // namespace clipnest::test_support
