#include "platform/ini/ini_text.h"

#include <vector>

namespace clipnest {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// One line of the file: where its text starts, ends (before the line break) and where the next
// line starts.
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < file.size()) {
    std::size_t end = file.find('\n', pos);
    std::size_t next = end == std::string_view::npos ? file.size() : end + 1;
    if (end == std::string_view::npos) end = file.size();
    std::size_t text_end = (end > pos && file[end - 1] == '\r') ? end - 1 : end;
    lines.push_back({pos, text_end, next});
    pos = next;
  }
  return lines;
}

// The section named by a header line "[name]", or nothing for other lines.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  std::string_view name =
      close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
  return Trim(name);
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

KeyLine KeyOf(std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {Trim(line), {}};
  return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where a section's lines lie: the header's index and the index after its last line.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(std::string_view file, const std::vector<Line>& lines,
                                       std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionOf(file.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() &&
           !SectionOf(file.substr(lines[end].begin, lines[end].end - lines[end].begin)))
      ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::string_view LineText(std::string_view file, const Line& line) {
  return file.substr(line.begin, line.end - line.begin);
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key) {
  auto lines = SplitLines(file);
  auto span = FindSection(file, lines, section);
  if (!span) return std::nullopt;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    KeyLine line = KeyOf(LineText(file, lines[i]));
    if (!line.name.empty() && SameName(line.name, key)) return std::string(Unquoted(line.value));
  }
  return std::nullopt;
}

std::string WithIniValue(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view value) {
  auto lines = SplitLines(file);
  auto span = FindSection(file, lines, section);
  std::string result;
  if (!span) {
    result.assign(file);
    if (!result.empty() && result.back() != '\n') result += "\r\n";
    result.append("[").append(section).append("]\r\n");
    result.append(key).append("=").append(value).append("\r\n");
    return result;
  }
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    KeyLine line = KeyOf(LineText(file, lines[i]));
    if (line.name.empty() || !SameName(line.name, key)) continue;
    // Keep the key's own spelling and the line's own line break.
    result.assign(file.substr(0, lines[i].begin));
    result.append(line.name).append("=").append(value);
    result.append(file.substr(lines[i].end));
    return result;
  }
  // A new key goes after the section's last non-blank line.
  std::size_t after = span->header;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (!Trim(LineText(file, lines[i])).empty()) after = i;
  }
  std::size_t insert_at = lines[after].next;
  result.assign(file.substr(0, insert_at));
  if (lines[after].next == lines[after].end) result += "\r\n";  // the last line had no break
  result.append(key).append("=").append(value).append("\r\n");
  result.append(file.substr(insert_at));
  return result;
}

}  // namespace clipnest
