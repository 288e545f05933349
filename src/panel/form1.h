#pragma once

#include "forms/form.h"

#include <cstdint>

namespace clipnest {

class Program;

// The panel: the program's start-up window, with its picture buttons, its frame, the hotkey
// timer and the hidden holders that carry working values between handlers.
class Form1 {
 public:
  explicit Form1(Program& program);

  Form& form() { return form_; }
  Control& operator[](const std::string& name) { return form_[name]; }

  // Start-up: runs once, before the panel is shown.
  void Form_Load();
  // Makes the panel translucent with the given opacity (0 invisible, 255 opaque).
  void SetTransparent1(std::uint8_t opacity);

 private:
  void Image1_Click();
  void Image2_Click();
  void Image3_Click();
  void Timer1_Timer();

  Program& program_;
  Form form_;
};

}  // namespace clipnest
