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
  void StartMove() override;
  void ReportPosition() override;

  HWND hwnd() const { return hwnd_; }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  void MouseDown(MouseButton button, LPARAM lparam);
  void MouseUp(MouseButton button, LPARAM lparam);
  bool SetCursorOverControl();
  LRESULT ChildColours(HDC dc, HWND child, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateChildren();
  void ShowTimer(const Control& timer);

  RECT WindowRect() const;
  void ApplyGeometry();
  void TakeKeyboard();
  void ApplyVisible();
  void ApplyTopmost();
  void ApplyOpacity();
  NativeControl* NativeOf(const Control& control) const;
  HBITMAP PictureOf(const Control& control);
  HBRUSH BrushOf(COLORREF colour);

  Win32WindowSystem& system_;
  Form& form_;
  HWND hwnd_ = nullptr;
  DWORD style_ = 0;
  DWORD extended_style_ = 0;
  std::vector<std::unique_ptr<NativeControl>> natives_;
  std::vector<Control*> timers_;  // a timer's id is its index + 1
  std::map<COLORREF, HBRUSH> brushes_;
  bool placing_ = false;   // set while the program's geometry is applied
  bool focusing_ = false;  // set while the focus follows the program's choice
};

// The native window of a form, or null when it has none.
HWND HwndOf(const Form* form);

}  // namespace clipnest::win32
