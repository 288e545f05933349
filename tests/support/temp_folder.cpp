#include "support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace clipnest::test_support {

namespace fs = std::filesystem;

static std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempFolder::TempFolder() {
  for (std::random_device random; path_.empty();) {
    const fs::path folder =
        fs::temp_directory_path() / ("clipnest-test-" + std::to_string(random()));
    if (fs::create_directory(folder)) path_ = Utf8(folder);
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests take permissions away; give them back so that everything can be removed.
  for (const auto& entry : fs::recursive_directory_iterator(PathOf(path_), ignored))
    if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_all, ignored);
  fs::remove_all(PathOf(path_), ignored);
}

std::vector<std::string> TempFolder::EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(PathOf(folder)))
    names.push_back(Utf8(entry.path().filename()));
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
