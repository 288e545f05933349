#pragma once

#include "platform/colour_chooser.h"

namespace clipnest::linux_backend {

// Qt's own colour dialog (never the desktop's, so it is the same everywhere), modal above its
// owner.
class QtColourChooser : public ColourChooser {
 public:
  std::optional<std::uint32_t> Choose(const Form& owner, std::uint32_t initial) override;
};

}  // namespace clipnest::linux_backend
