#pragma once

#include <string_view>

namespace clipnest {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with the text, an OK button only and no icon; returns when it is closed.
  virtual void ShowOk(std::string_view caption, std::string_view text) = 0;
};

}  // namespace clipnest
