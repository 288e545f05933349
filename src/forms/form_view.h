#pragma once

#include "forms/control.h"

namespace clipnest {

enum class WindowAspect { kGeometry, kBackColour, kVisible, kTopmost, kOpacity, kCaption };

// A form's native window, made by the window system. The form tells it what changed; the view
// reads the new state from the form and shows it.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void WindowChanged(WindowAspect aspect) = 0;
  virtual void ControlChanged(const Control& control, ControlAspect aspect) = 0;
  virtual void FocusChanged(const Control& control) = 0;
  // Puts the window in front of the others without taking the focus from them.
  virtual void BringToFront() = 0;
  // Lets the user move the window with the mouse button that is down now; the view reports the
  // release through the form's input (MoveFinished), on some systems before this returns.
  virtual void StartMove() = 0;
  // Reports where the window is now through the form's input (Moved), as the window system has
  // it: a window manager may place or move a window without telling every program at once.
  virtual void ReportPosition() = 0;
};

}  // namespace clipnest
