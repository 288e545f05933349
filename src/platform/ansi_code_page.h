#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// Where to cut a UTF-8 text at `at` or just before it, so that no character is split: large texts
// are checked and converted a piece at a time.
inline std::size_t CharacterBoundary(std::string_view utf8, std::size_t at) {
  if (at >= utf8.size()) return utf8.size();
  std::size_t cut = at;
  while (cut > 0 && at - cut < 4 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

// The system's ANSI code page (Windows-1251 on a Russian system).
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // The ANSI bytes of a UTF-8 text, or nothing when some character has no ANSI form.
  virtual std::optional<std::string> Encode(std::string_view utf8) = 0;
  // The UTF-8 text of ANSI bytes.
  virtual std::string Decode(std::string_view ansi) = 0;

  // Whether every character of a UTF-8 text has an ANSI form, that is, whether Encode gives
  // something. A code page that can tell without a copy of the text does so.
  virtual bool Holds(std::string_view utf8) { return Encode(utf8).has_value(); }
  // Appends the ANSI bytes of a piece of UTF-8 text (whole characters) to `out`, growing it by
  // no more than the piece; false, with `out` partly appended, when some character has no ANSI
  // form.
  virtual bool AppendEncoded(std::string_view utf8, std::string& out) {
    const auto bytes = Encode(utf8);
    if (bytes) out += *bytes;
    return bytes.has_value();
  }
};

}  // namespace clipnest
