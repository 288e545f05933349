#pragma once

#include <string>
#include <string_view>

namespace clipnest::linux_backend {

// The X display that a DISPLAY value names, written one way: "[host]:number". The local display
// N is ":N" however it is written (":N", "unix:N", with any screen number, with leading zeros);
// any other host keeps its host part, in lower case, since "localhost:10" (a forwarded display)
// is not the local ":10". A value that names no display is kept as it is.
std::string CanonicalDisplay(std::string_view display);

}  // namespace clipnest::linux_backend
