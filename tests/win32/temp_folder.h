#pragma once

#include <string>
#include <string_view>

namespace clipnest::test_support {

// A fresh folder in the user's temporary folder, removed with everything in it when the test
// ends. Paths are UTF-8, as the program passes them to the backend.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

 private:
  std::string path_;
};

// Files read and written with the wide file functions, independently of the backend.
std::wstring WidePath(std::string_view utf8_path);
bool Exists(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

}  // namespace clipnest::test_support
