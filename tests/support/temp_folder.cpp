#include "support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace clipnest::test_support {

namespace fs = std::filesystem;

namespace {
std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
}  // namespace

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

TempFolder::TempFolder() {
  std::random_device random;
  fs::path folder;
  do {
    folder = fs::temp_directory_path() / ("clipnest-test-" + std::to_string(random()));
  } while (!fs::create_directory(folder));
  path_ = Utf8(folder);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests take permissions away; give them back so that everything can be removed.
  for (const auto& entry : fs::recursive_directory_iterator(PathOf(path_), ignored)) {
    if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_all, ignored);
  }
  fs::remove_all(PathOf(path_), ignored);
}

std::string TempFolder::operator/(std::string_view name) const {
  return path_ + static_cast<char>(fs::path::preferred_separator) + std::string(name);
}

std::vector<std::string> TempFolder::Entries(std::string_view subfolder) const {
  return EntriesOf(subfolder.empty() ? path_ : *this / subfolder);
}

std::vector<std::string> TempFolder::EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(PathOf(folder))) {
    names.push_back(Utf8(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
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
