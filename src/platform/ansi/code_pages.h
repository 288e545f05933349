#pragma once

#include "platform/ansi_code_page.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest {

// The Windows ANSI code page that goes with a POSIX locale name such as "ru_RU.UTF-8", as Windows
// maps the language: 1251 for Russian, 1252 for Western European, 1250 for Central European...
// 1252 for the C and POSIX locales.
int AnsiCodePageForLocale(std::string_view locale_name);

// A single-byte Windows code page (874, 1250 to 1258) from built-in tables.
class SingleByteCodePage : public AnsiCodePage {
 public:
  // Nothing when the code page is not a single-byte one that the tables hold.
  static std::optional<SingleByteCodePage> Make(int code_page);

  std::optional<std::string> Encode(std::string_view utf8) override;
  std::string Decode(std::string_view ansi) override;
  bool Holds(std::string_view utf8) override;
  bool AppendEncoded(std::string_view utf8, std::string& out) override;
  int number() const { return number_; }

 private:
  SingleByteCodePage(int number, const std::uint16_t* high_half);
  // Encodes the text a block at a time, handing each block of ANSI bytes to `take`; false at the
  // first character that has no ANSI form.
  template <typename Take>
  bool EncodeBlocks(std::string_view utf8, Take take) const;

  int number_;
  const std::uint16_t* high_half_;  // the characters of bytes 0x80 to 0xFF
  // The byte of each character below U+10000 that the page holds above 0x7F; 0 for none.
  std::shared_ptr<const std::vector<std::uint8_t>> byte_of_;
};

}  // namespace clipnest
