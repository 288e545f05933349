#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest::test_support {

// A fresh folder under /tmp, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }
  // The names in the folder (or in one of its subfolders), sorted, without "." and "..".
  std::vector<std::string> Entries(std::string_view subfolder = "") const;
  // The names in any folder, sorted.
  static std::vector<std::string> EntriesOf(const std::string& folder);

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
unsigned PermissionBits(const std::string& path);
bool IsSymlink(const std::string& path);
// How many of this process's open descriptors refer to the file.
int DescriptorsOpenOn(const std::string& path);

// Runs `body` in a forked child and returns what it returned; the child's changes to its own
// identity or mounts never reach the test process.
std::string RunInChild(const std::function<std::string()>& body);

}  // namespace clipnest::test_support
