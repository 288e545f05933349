#pragma once

#include "platform/message_boxes.h"

namespace clipnest::win32 {

class Win32MessageBoxes : public MessageBoxes {
 public:
  void ShowOk(const Form* owner, std::string_view caption, std::string_view text) override;
};

}  // namespace clipnest::win32
