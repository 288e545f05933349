#pragma once

#include <string>

namespace clipnest::linux_backend {

// How the bytes of a text target of an X selection are to be read.
enum class TextCharset { kUtf8, kLatin1, kUtf8OrLatin1 };

struct TextTarget {
  const char* name;
  TextCharset charset;
};

// The text targets, in the order this program prefers them.
inline constexpr TextTarget kTextTargets[] = {
    {"UTF8_STRING", TextCharset::kUtf8},
    {"text/plain;charset=utf-8", TextCharset::kUtf8},
    {"STRING", TextCharset::kLatin1},
    {"text/plain", TextCharset::kUtf8OrLatin1},
};

// The program's UTF-8 form of a text target's bytes: up to the first NUL, Latin-1 converted,
// bad bytes of broken UTF-8 replaced by U+FFFD.
std::string SelectionTextAsUtf8(std::string bytes, TextCharset charset);

}  // namespace clipnest::linux_backend
