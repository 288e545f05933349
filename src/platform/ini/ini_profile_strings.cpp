#include "platform/ini/ini_profile_strings.h"

#include "platform/ansi_code_page.h"
#include "platform/ini/ini_text.h"

namespace clipnest {
namespace {

// The profile functions take C strings: a NUL byte ends each text handed to them.
std::string UpToNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string IniProfileStrings::ToAnsi(std::string_view utf8) {
  // A character without an ANSI form becomes "?", as the ANSI profile functions would make it.
  if (auto ansi = ansi_.Encode(utf8)) return UpToNul(*ansi);
  std::string replaced;
  for (std::size_t i = 0; i < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    auto one = ansi_.Encode(utf8.substr(i, length));
    replaced += one ? *one : "?";
    i += length;
  }
  return UpToNul(replaced);
}

std::string IniProfileStrings::Get(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t buffer_size,
                                   const std::string& path) {
  std::optional<std::string> value;
  if (auto file = store_.Load(path)) value = FindIniValue(*file, ToAnsi(section), ToAnsi(key));
  std::string ansi = value ? *std::move(value) : ToAnsi(fallback);
  if (buffer_size == 0) return {};
  if (ansi.size() > buffer_size - 1) ansi.resize(buffer_size - 1);
  return ansi_.Decode(ansi);
}

void IniProfileStrings::Put(std::string_view section, std::string_view key, std::string_view value,
                            const std::string& path) {
  auto file = store_.Load(path);
  if (!file) return;  // never replace a file whose content could not be read
  store_.Store(path, WithIniValue(*file, ToAnsi(section), ToAnsi(key), ToAnsi(value)));
}

}  // namespace clipnest
