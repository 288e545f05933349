#pragma once

#include <cstdint>
#include <optional>

namespace clipnest {

class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  // A modal colour chooser; the colour (0x00BBGGRR) picked, or nothing when cancelled.
  virtual std::optional<std::uint32_t> Choose() = 0;
};

}  // namespace clipnest
