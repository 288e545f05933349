#pragma once

#include "platform/ansi/code_pages.h"

#include <QByteArray>

#include <optional>
#include <string_view>

namespace clipnest::linux_backend {

// The ANSI code page that Windows would use for the user's locale: the built-in single-byte
// tables, or Qt's converters for the multi-byte East Asian code pages.
class LocaleCodePage : public AnsiCodePage {
 public:
  // `locale_name` as setlocale reports it, e.g. "ru_RU.UTF-8".
  explicit LocaleCodePage(std::string_view locale_name);

  std::optional<std::string> Encode(std::string_view utf8) override;
  std::string Decode(std::string_view ansi) override;
  bool Holds(std::string_view utf8) override;
  bool AppendEncoded(std::string_view utf8, std::string& out) override;

 private:
  // Encodes a multi-byte code page's text a piece at a time, handing each piece to `take`.
  template <typename Take>
  bool EncodePieces(std::string_view utf8, Take take);

  std::optional<SingleByteCodePage> single_byte_;
  QByteArray converter_name_;  // for a multi-byte code page
};

}  // namespace clipnest::linux_backend
