#include "platform/linux/x11/display_name.h"

#include <algorithm>

namespace clipnest::linux_backend {

std::string CanonicalDisplay(std::string_view display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return std::string(display);
  std::string host(display.substr(0, colon));
  std::transform(host.begin(), host.end(), host.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  if (host == "unix") host.clear();
  // The screen after the dot does not matter: all screens of a display share its clipboard.
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  const bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
  if (digits) {
    const std::size_t first = number.find_first_not_of('0');
    number = first == std::string_view::npos ? std::string_view("0") : number.substr(first);
  }
  return host + ":" + std::string(number);
}

}  // namespace clipnest::linux_backend
