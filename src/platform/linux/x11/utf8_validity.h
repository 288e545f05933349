#pragma once

#include <string_view>

namespace clipnest::linux_backend {

// Whether a text is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(std::string_view text);

}  // namespace clipnest::linux_backend
