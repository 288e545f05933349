#include "profile_table.h"

#include <stdexcept>

namespace clipnest::profile_table {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string Quoted(std::string_view bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (byte >= 0x20 && byte < 0x7F) {
          out += c;
        } else {
          out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        }
    }
  }
  return out + "\"";
}

std::string File(const std::optional<std::string>& file) {
  return file ? Quoted(*file) : "none";
}

int HexDigit(char c) {
  for (int i = 0; i < 16; ++i) {
    if (kHex[i] == c) return i;
  }
  return -1;
}

// The bytes of a quoted text, or nothing when it is not one.
std::optional<std::string> Unquoted(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  text = text.substr(1, text.size() - 2);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') return std::nullopt;
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '0':
        out += '\0';
        break;
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case 'x': {
        const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::string Format(const Row& row) {
  std::string out = (row.write ? "write " : "read ") + row.id + "\n";
  if (!row.why.empty()) out += "  why     " + row.why + "\n";
  out += "  section " + Quoted(row.section) + "\n";
  out += "  key     " + Quoted(row.key) + "\n";
  if (row.write) out += "  value   " + Quoted(row.value) + "\n";
  out += "  file    " + File(row.file) + "\n";
  out += "  result  " + File(row.result) + "\n";
  return out;
}

std::vector<Row> Parse(std::string_view text) {
  std::vector<Row> rows;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const auto fail = [&] {
      throw std::runtime_error("line " + std::to_string(number) + ": " + std::string(line));
    };
    if (line.empty() || line.front() == '#') continue;
    if (line.front() != ' ') {
      const std::size_t blank = line.find(' ');
      const std::string_view kind = line.substr(0, blank);
      if ((kind != "read" && kind != "write") || blank == std::string_view::npos) fail();
      rows.push_back({.write = kind == "write", .id = std::string(line.substr(blank + 1))});
      continue;
    }
    const std::size_t start = line.find_first_not_of(' ');
    const std::size_t name_end = line.find(' ', start);
    const std::size_t content_start =
        name_end == std::string_view::npos ? name_end : line.find_first_not_of(' ', name_end);
    if (rows.empty() || content_start == std::string_view::npos) fail();
    const std::string_view name = line.substr(start, name_end - start);
    const std::string_view content = line.substr(content_start);
    Row& row = rows.back();
    if (name == "why") {
      row.why = content;
      continue;
    }
    const std::optional<std::string> bytes = Unquoted(content);
    const bool may_be_none = name == "file" || name == "result";
    if (!bytes && !(may_be_none && content == "none")) fail();
    if (name == "section") {
      row.section = *bytes;
    } else if (name == "key") {
      row.key = *bytes;
    } else if (name == "value") {
      row.value = *bytes;
    } else if (name == "file") {
      row.file = bytes;
    } else if (name == "result") {
      row.result = bytes;
    } else {
      fail();
    }
  }
  return rows;
}

}  // namespace clipnest::profile_table
