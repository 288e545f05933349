#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clipnest {

// The system's ANSI code page (Windows-1251 on a Russian system).
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // The ANSI bytes of a UTF-8 text, or nothing when some character has no ANSI form.
  virtual std::optional<std::string> Encode(std::string_view utf8) = 0;
  // The UTF-8 text of ANSI bytes.
  virtual std::string Decode(std::string_view ansi) = 0;
};

}  // namespace clipnest
