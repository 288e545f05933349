#pragma once

#include "forms/control.h"

#include <windows.h>

namespace clipnest::win32 {

// The native child window of a windowed control (EDIT, BUTTON, check box, SCROLLBAR), kept in
// step with the control both ways: the program's changes are shown without being reported back,
// and the user's changes go into the control through the calls the program uses.
class NativeControl {
 public:
  NativeControl(Control& control, HWND parent, int id, HFONT font, const RECT& box);
  ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  // The native control of a child window of a form, or nullptr.
  static NativeControl* Of(HWND child);

  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  bool picture_button() const;

  // Shows the control's state again after the program changed it.
  void Show(ControlAspect aspect);
  // A WM_COMMAND notification and a scroll message from the native control.
  void Command(WORD notification);
  void Scroll(WORD request);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT KeyCharacter(WPARAM wparam, LPARAM lparam);
  void ShowText();
  void ShowValue();
  std::wstring NativeText() const;

  Control& control_;
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool showing_ = false;  // set while the program's state is shown: its notifications are echoes
};

}  // namespace clipnest::win32
