#pragma once

#include "forms/control.h"

#include <string>
#include <string_view>

namespace clipnest {

class Form;

// The text after an edit of `before` into `after`, with what the edit put in cut at its first
// line break.
std::string FirstLineOfInsertion(std::string_view before, std::string after);

enum class MouseButton { kLeft, kRight, kMiddle };

enum class ScrollAction {
  kLineLeft,
  kLineRight,
  kPageLeft,
  kPageRight,
  kToMinimum,
  kToMaximum,
  kThumbTrack,     // the thumb is being dragged
  kThumbPosition,  // the dragged thumb was let go
};

// The raw events of a form's native window, as every backend reports them, turned into the
// form's events by rules that are the same on every system. Each call runs under the event
// guard: nothing a handler throws reaches the window system.
class FormInput {
 public:
  explicit FormInput(Form& form) : form_(form) {}

  // A mouse button went down at a point of the client area, in twips. True when a control that
  // the form draws itself takes the press (the window should keep the mouse until the release);
  // a press anywhere else, with any button, is the form's own mouse-down.
  bool Pressed(int x, int y, MouseButton button);
  // A drawn control is clicked when the left button goes down and comes up over it.
  void Released(int x, int y, MouseButton button);
  // The window lost the mouse before the button came up.
  void PressCancelled() { pressed_ = nullptr; }

  // A character typed on a windowed control (13 Enter, 27 Escape...). Enter on a button also
  // presses it, as in any dialog.
  void KeyTyped(Control& control, int key_ascii);
  // Tab (or Shift+Tab) on a control: the next control of the tab order that can take the focus.
  void TabPressed(Control& from, bool backwards);
  // The user changed a text box's text. In a one-line box, what the user put in keeps only its
  // first line, as a one-line edit control of Windows keeps of a paste.
  void TextEdited(Control& control, std::string text);
  // A native button or check box was clicked.
  void Clicked(Control& control);
  // A scroll bar's arrows, track or thumb. Dragging the thumb changes nothing until it is let go.
  void Scrolled(Control& bar, ScrollAction action, int thumb_position);
  void FocusEntered(Control& control);
  void TimerTicked(Control& timer);
  void CloseRequested();
  // The window is now at this place (twips), moved by the user or the window manager.
  void Moved(float left, float top);
  // The move that DragMove started is over.
  void MoveFinished();

 private:
  Form& form_;
  Control* pressed_ = nullptr;
};

}  // namespace clipnest
