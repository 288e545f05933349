#pragma once

#include <cstdint>

namespace clipnest {

// The characters of bytes 0x80 to 0xFF of a single-byte Windows code page, or nullptr.
const std::uint16_t* CodePageHighHalf(int code_page);

}  // namespace clipnest
