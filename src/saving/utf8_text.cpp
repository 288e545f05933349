#include "saving/utf8_text.h"

namespace clipnest {
namespace {
bool StartsCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// The byte offset of the character with the given index (from 0), or the text's size.
std::size_t OffsetOf(std::string_view text, std::size_t index) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!StartsCharacter(text[i])) continue;
    if (seen++ == index) return i;
  }
  return text.size();
}
}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += StartsCharacter(c) ? 1 : 0;
  return count;
}

std::string Mid(std::string_view text, std::size_t first, std::size_t count) {
  if (first == 0 || count == 0) return {};
  std::size_t begin = OffsetOf(text, first - 1);
  std::size_t end = OffsetOf(text, first - 1 + count);
  return std::string(text.substr(begin, end - begin));
}

}  // namespace clipnest
