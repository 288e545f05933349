#pragma once

#include <cstdint>
#include <optional>

namespace clipnest {

class Form;

class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  // The system's colour chooser, modal above its owner window and started at a colour
  // (0x00BBGGRR); the colour picked, or nothing when it was cancelled.
  virtual std::optional<std::uint32_t> Choose(const Form& owner, std::uint32_t initial) = 0;
};

}  // namespace clipnest
