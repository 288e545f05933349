#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// The INI text format with the rules of the Windows profile API, on the file's bytes:
// section and key names match without regard to ASCII case, blanks around names and values are
// dropped, one pair of matching quotes around a value is removed, the first section and key of
// a name win.

// The value of a key, or nothing when the section or key is missing.
std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key);

// The file with the key set to the value: an existing key line is replaced, a missing key is
// added at the end of its section, a missing section at the end of the file. Every other line
// and byte is kept; new lines end with CR LF.
std::string WithIniValue(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace clipnest
