#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace clipnest {

// Character counts and pieces of UTF-8 texts, by characters rather than bytes.
std::size_t CharacterCount(std::string_view text);
// Up to `count` characters from the character at `first` (counted from 1); shorter or empty
// where the text is shorter.
std::string Mid(std::string_view text, std::size_t first, std::size_t count);

}  // namespace clipnest
