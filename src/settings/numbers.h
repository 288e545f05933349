#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// The strict number of a text: the whole text, blanks around it allowed, read as a number with
// the user's decimal separator; nothing when the text is anything else.
std::optional<double> StrictNumber(std::string_view text, char decimal_separator);
// The strict number rounded half to even, as a signed 32-bit integer; nothing when out of range.
std::optional<std::int32_t> StrictInt32(std::string_view text, char decimal_separator);
// The strict number rounded half to even, as a byte 0 to 255; nothing when out of range.
std::optional<std::uint8_t> StrictByte(std::string_view text, char decimal_separator);

// The lenient number of a text: its leading number, 0 when there is none. Blanks, tabs and line
// feeds are skipped wherever they stand; the decimal point is always ".".
double LenientNumber(std::string_view text);

// A position as the settings file stores it: the shortest text that reads back as the same
// single-precision number, with the user's decimal separator, no blank and no grouping; a whole
// number has no separator ("4500", "-120").
std::string NumberText(float value, char decimal_separator);

// An option is on when its text is strictly the number 1; any other text is off.
bool OptionIsOn(std::string_view flag_text, char decimal_separator);

}  // namespace clipnest
