#pragma once

#include <string_view>

namespace clipnest {

// The project's web page and mailbox, shown by the settings dialog's two links. The help's
// pages are made with the same two values (scripts/make-help.sh reads them here).
inline constexpr std::string_view kWebPage = "http://clipnest.org";
inline constexpr std::string_view kMailAddress = "mail@clipnest.org";

}  // namespace clipnest
