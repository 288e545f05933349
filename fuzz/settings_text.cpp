// The settings text engine reads any bytes; a key written with a legal section, key and value
// reads back as that value, writing it again changes no byte, and every other key keeps its value.
#include "check.h"
#include "platform/ini/ini_text.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace clipnest;

namespace {
bool Legal(std::string_view text, std::string_view banned) {
  const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; };
  return text.find_first_of(banned) == std::string_view::npos &&
         (text.empty() || (!blank(text.front()) && !blank(text.back())));
}
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | (x >= 'A' && x <= 'Z' ? 0x20 : 0)) ==
                  (y | (y >= 'A' && y <= 'Z' ? 0x20 : 0));
         });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(12),
                    key = in.ConsumeRandomLengthString(12);
  const std::string value = in.ConsumeRandomLengthString(24),
                    other_section = in.ConsumeRandomLengthString(12);
  const std::string other_key = in.ConsumeRandomLengthString(12),
                    file = in.ConsumeRemainingBytesAsString();
  const auto other_before = FindIniValue(file, other_section, other_key);
  const bool quoted =
      value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  if (section.empty() || key.empty() || key[0] == '[' || quoted || !Legal(section, {"\r\n\0", 3}) ||
      !Legal(key, {"=\r\n\0", 4}) || !Legal(value, {"\r\n\0", 3}) || !Legal(other_section, "") ||
      !Legal(other_key, "")) {
    return 0;
  }
  const std::string written = WithIniValue(file, section, key, value);
  CHECK(FindIniValue(written, section, key) == value);
  CHECK(WithIniValue(written, section, key, value) == written);
  if (!SameName(other_section, section) || !SameName(other_key, key)) {
    CHECK(FindIniValue(written, other_section, other_key) == other_before);
  }
  return 0;
}
