#pragma once

#include "platform/message_boxes.h"

namespace clipnest::linux_backend {

class QtMessageBoxes : public MessageBoxes {
 public:
  void ShowOk(const Form* owner, std::string_view caption, std::string_view text) override;
};

}  // namespace clipnest::linux_backend
