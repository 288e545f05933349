#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// The INI text format with the rules of the Windows profile functions, on the file's bytes in
// the ANSI code page. A line ends at CR LF, CR or LF. Section and key names match without
// regard to ASCII case; blanks around names and values are dropped; a NUL byte ends a name or a
// value; one pair of matching quotes around a value is removed; the first section and key of a
// name win. A header is "[name]" with any text after the last "]"; a key line without "=" has
// no value. A UTF-8 byte-order mark is three ANSI bytes of the first line, as on Windows.

// The value of a key, or nothing when the section or key is missing or the key has no value.
std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key);

// The file with the key set to the value (blanks at its start dropped): the key's line is
// replaced, a missing key is added after the last line of its section, a missing section at the
// end of the file. A value equal to the stored one leaves the file as it is. Every other line
// and byte is kept (Windows edits the file in place; Wine writes it anew); new lines end with
// CR LF.
std::string WithIniValue(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace clipnest
