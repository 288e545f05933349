#include "profile_table.h"

#include <algorithm>
#include <stdexcept>

namespace clipnest::profile_table {
namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";
// The bytes written as a backslash and a letter, and their letters.
constexpr std::string_view kEscaped{"\r\n\t\0\"\\", 6};
constexpr std::string_view kEscapeLetters = "rnt0\"\\";

// The bytes of a quoted text, or nothing when it is not one.
std::optional<std::string> Unquoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == '"') return std::nullopt;
    if (text[i] != '\\') {
      out += text[i];
    } else if (text[i + 1] == 'x' && i + 4 < text.size() &&
               kHex.find(text[i + 2]) != std::string_view::npos &&
               kHex.find(text[i + 3]) != std::string_view::npos) {
      out += static_cast<char>(kHex.find(text[i + 2]) * 16 + kHex.find(text[i + 3]));
      i += 3;
    } else if (const std::size_t escape = kEscapeLetters.find(text[++i]);
               escape != std::string_view::npos && i + 1 < text.size()) {
      out += kEscaped[escape];
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::vector<Row> Parse(std::string_view text) {
  std::vector<Row> rows;
  for (int number = 1; !text.empty(); ++number) {
    const std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(text.size(), line.size() + 1));
    const auto fail = [&] {
      throw std::runtime_error("line " + std::to_string(number) + ": " + std::string(line));
    };
    if (line.empty() || line.front() == '#') continue;
    const std::size_t start = line.find_first_not_of(' ');
    const std::size_t name_end = std::min(line.find(' ', start), line.size());
    const std::size_t content = std::min(line.find_first_not_of(' ', name_end), line.size());
    const std::string_view name = line.substr(start, name_end - start);
    if (start == 0) {
      if ((name != "read" && name != "write") || content == line.size()) fail();
      rows.push_back({.write = name == "write", .id = std::string(line.substr(content))});
      continue;
    }
    if (rows.empty()) fail();
    Row& row = rows.back();
    if (name == "why") {
      row.why = line.substr(content);
      continue;
    }
    const std::optional<std::string> bytes = Unquoted(line.substr(content));
    if (name == "file" || name == "result") {
      if (!bytes && line.substr(content) != "none") fail();
      (name == "file" ? row.file : row.result) = bytes;
    } else if (!bytes) {
      fail();
    } else if (name == "section" || name == "key" || name == "value") {
      (name == "section" ? row.section : name == "key" ? row.key : row.value) = *bytes;
    } else {
      fail();
    }
  }
  return rows;
}

}  // namespace clipnest::profile_table
