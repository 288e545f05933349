#pragma once

#include "forms/form_view.h"

#include <memory>

namespace clipnest {

class Form;

// The platform's windows: makes the native window of a form and runs the event loop.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Creates the form's native window, hidden, with its native controls and timers.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
};

}  // namespace clipnest
