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
// feeds are skipped wherever they stand; the decimal point is always ".". A number too large for
// a double is infinite, with its sign.
double LenientNumber(std::string_view text);
// A window position in twips read from the settings file: its lenient number, or nothing when no
// window can take it. Window systems place windows at 32-bit pixel coordinates, and a pixel is
// at least a twip, so a position beyond the 32-bit range is not applied: the window keeps its
// place, as it does when the key is missing.
std::optional<float> LenientPosition(std::string_view text);

// A position as the settings file stores it: the shortest text that reads back as the same
// single-precision number, with the user's decimal separator, no blank and no grouping; a whole
// number has no separator ("4500", "-120").
std::string NumberText(float value, char decimal_separator);

// An option is on when its text is strictly the number 1; any other text is off.
bool OptionIsOn(std::string_view flag_text, char decimal_separator);

}  // namespace clipnest
