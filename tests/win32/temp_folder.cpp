#include "temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace clipnest::test_support {
namespace fs = std::filesystem;
namespace {
fs::path PathOf(std::string_view utf8) {
  return fs::path(WidePath(utf8));
}
}  // namespace

TempFolder::TempFolder() {
  static unsigned serial = 0;
  const fs::path folder = fs::temp_directory_path() /
                          (L"clipnest-win32-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(++serial));
  fs::create_directories(folder);
  const std::u8string utf8 = folder.u8string();
  path_.assign(utf8.begin(), utf8.end());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(PathOf(path_), ignored);
}

std::wstring WidePath(std::string_view utf8_path) {
  const int size = static_cast<int>(utf8_path.size());
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(), size, wide.data(), count);
  return wide;
}

bool Exists(const std::string& path) {
  return fs::exists(PathOf(path));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(PathOf(path), std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream file(PathOf(path), std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot write " + path);
}

}  // namespace clipnest::test_support
