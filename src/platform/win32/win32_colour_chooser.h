#pragma once

#include "platform/colour_chooser.h"

#include <windows.h>

namespace clipnest::win32 {

// The system's colour dialog (ChooseColorA), modal above its owner.
class Win32ColourChooser : public ColourChooser {
 public:
  std::optional<std::uint32_t> Choose(const Form& owner, std::uint32_t initial) override;

 private:
  COLORREF custom_colours_[16] = {};
};

}  // namespace clipnest::win32
