#pragma once

#include "forms/form.h"
#include "platform/win32/win32_native_control.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace clipnest::win32 {

class Win32WindowSystem;

// The native window of a form: a borderless popup without a taskbar entry or a fixed tool window
// with a close box only. Drawn controls are painted by the window; windowed controls are native
// children; timers are window timers.
class Win32FormView : public FormView {
 public:
  Win32FormView(Win32WindowSystem& system, Form& form);
  ~Win32FormView() override;
  Win32FormView(const Win32FormView&) = delete;
  Win32FormView& operator=(const Win32FormView&) = delete;

  void WindowChanged(WindowAspect aspect) override;
  void ControlChanged(const Control& control, ControlAspect aspect) override;
  void FocusChanged(const Control& control) override;
  void BringToFront() override;

  HWND hwnd() const { return hwnd_; }

  // From the native children: the user gave a control the focus, or pressed Tab on it.
  void ChildFocused(Control& control);
  void MoveFocus(const Control& from, bool backwards);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  void MouseDown(UINT message, LPARAM lparam);
  void MouseUp(LPARAM lparam);
  bool SetCursorOverControl();
  LRESULT ChildColours(HDC dc, HWND child, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateChildren();
  void StartTimers();

  RECT WindowRect() const;
  void ApplyGeometry();
  void TakeKeyboard();
  void ApplyVisible();
  void ApplyTopmost();
  void ApplyOpacity();
  NativeControl* NativeOf(const Control& control) const;
  HBITMAP PictureOf(const Control& control);
  HBRUSH BrushOf(COLORREF colour);
  Control* ControlAtPixel(LPARAM lparam) const;

  Win32WindowSystem& system_;
  Form& form_;
  HWND hwnd_ = nullptr;
  DWORD style_ = 0;
  DWORD extended_style_ = 0;
  std::vector<std::unique_ptr<NativeControl>> natives_;
  std::vector<Control*> timers_;  // a timer's id is its index + 1
  std::map<const Control*, HBITMAP> runtime_pictures_;
  std::map<COLORREF, HBRUSH> brushes_;
  Control* pressed_ = nullptr;  // the drawn control under a held left button
  bool placing_ = false;        // set while the program's geometry is applied
  bool focusing_ = false;       // set while the focus follows the program's choice
};

}  // namespace clipnest::win32
