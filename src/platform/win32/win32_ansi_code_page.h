#pragma once

#include "platform/ansi_code_page.h"

namespace clipnest::win32 {

// The system's ANSI code page (CP_ACP).
class Win32AnsiCodePage : public AnsiCodePage {
 public:
  std::optional<std::string> Encode(std::string_view utf8) override;
  std::string Decode(std::string_view ansi) override;
  bool Holds(std::string_view utf8) override;
};

}  // namespace clipnest::win32
