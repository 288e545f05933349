#include "platform/ini/ini_text.h"

namespace clipnest {
namespace {

// The blanks dropped around names and values: the C locale's white space, and Ctrl+Z, the end
// mark of old DOS files.
bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view TrimStart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimStart(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The profile functions keep names and values as C strings: a NUL byte ends them.
std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match without regard to case, of ASCII letters only (as the profile functions compare).
bool SameName(std::string_view stored, std::string_view asked) {
  stored = UpToNul(stored);
  if (stored.size() != asked.size()) return false;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (Fold(stored[i]) != Fold(asked[i])) return false;
  }
  return true;
}

// One line of the file: its text from `begin` to `end`, and where the next line starts. A line
// ends at CR LF, at a CR alone or at a LF alone.
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
};

Line LineAt(std::string_view file, std::size_t begin) {
  std::size_t end = file.find_first_of("\r\n", begin);
  if (end == std::string_view::npos) return {begin, file.size(), file.size()};
  return {begin, end, end + (file.compare(end, 2, "\r\n") == 0 ? 2 : 1)};
}

std::string_view TextOf(std::string_view file, const Line& line) {
  return file.substr(line.begin, line.end - line.begin);
}

// The section named by a header line: "[" first, the last "]" after it (text after that is
// ignored) and blanks around the name dropped. Nothing for any other line, "[Setup" included.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// A key line: the name before the first "=" and the value after it, blanks around both dropped.
// A line without "=" names a key that has no value.
struct KeyLine {
  std::string_view name;
  std::optional<std::string_view> value;
};

KeyLine KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {Trim(line), std::nullopt};
  return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// One pair of matching quotes around a value is removed.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where a key stands: the first header of its section, the key's first line in that section,
// or else the section's last line that is not blank (the header when there is none). Only the
// first section of a name is looked at.
struct Place {
  std::optional<Line> header;
  std::optional<Line> key;
  Line last;
};

Place Find(std::string_view file, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  Place place;
  for (std::size_t pos = 0; pos < file.size();) {
    const Line line = LineAt(file, pos);
    pos = line.next;
    const std::string_view text = TextOf(file, line);
    const std::optional<std::string_view> header = SectionOf(text);
    if (place.header) {
      if (header) break;
      if (Trim(text).empty()) continue;
      place.last = line;
      if (SameName(KeyOf(text).name, key)) {
        // The section's last line matters only to a key that is not there: a large file is
        // read no further than its key.
        place.key = line;
        break;
      }
    } else if (header && SameName(*header, section)) {
      place.header = place.last = line;
    }
  }
  return place;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key) {
  const Place place = Find(file, section, key);
  if (!place.key) return std::nullopt;
  const std::optional<std::string_view> value = KeyOf(TextOf(file, *place.key)).value;
  if (!value) return std::nullopt;
  return std::string(Unquoted(UpToNul(*value)));
}

std::string WithIniValue(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view value) {
  value = TrimStart(value);
  const Place place = Find(file, section, key);
  std::string result(file);
  if (!place.header) {
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += "\r\n";
    result.append("[").append(Trim(section)).append("]\r\n");
    return result.append(Trim(key)).append("=").append(value).append("\r\n");
  }
  if (place.key) {
    // The key's line is written anew in the stored spelling; its line break stays.
    const KeyLine line = KeyOf(TextOf(file, *place.key));
    if (line.value && UpToNul(*line.value) == value) return result;  // nothing changes
    const std::string new_line = std::string(line.name) + "=" + std::string(value);
    return result.replace(place.key->begin, place.key->end - place.key->begin, new_line);
  }
  // A new key goes after the section's last line that is not blank.
  std::string new_line = std::string(Trim(key)) + "=" + std::string(value) + "\r\n";
  if (place.last.next == place.last.end) new_line.insert(0, "\r\n");  // that line had no break
  return result.insert(place.last.next, new_line);
}

}  // namespace clipnest
