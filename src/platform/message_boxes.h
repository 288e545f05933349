#pragma once

#include <string_view>

namespace clipnest {

class Form;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with the text, an OK button only and no icon; returns when it is closed. It
  // opens above its owner window (when there is one), which takes no click until it closes.
  virtual void ShowOk(const Form* owner, std::string_view caption, std::string_view text) = 0;
};

}  // namespace clipnest
