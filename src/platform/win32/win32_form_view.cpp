#include "platform/win32/win32_form_view.h"

#include "forms/event_guard.h"
#include "platform/win32/win32_colours.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window_system.h"

#include <windowsx.h>

#include <utility>

namespace clipnest::win32 {
namespace {

constexpr int kFirstChildId = 1000;

// The styles of the window's layered opacity and of keeping it above other windows, with the
// ANSI calls and flags the window operations are defined with.
constexpr UINT kTopmostFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;  // 0x0013
constexpr UINT kNotTopmostFlags = SWP_NOSIZE | SWP_NOMOVE;                // 0x0003

}  // namespace

Win32FormView::Win32FormView(Win32WindowSystem& system, Form& form) : system_(system), form_(form) {
  if (form.style() == FormStyle::kBorderless) {
    // No frame, no taskbar entry, and a click on it never takes the focus from other programs.
    style_ = WS_POPUP | WS_CLIPCHILDREN;
    extended_style_ = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  } else {
    // A small title bar with a close box only; no taskbar entry either.
    style_ = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    extended_style_ = WS_EX_TOOLWINDOW;
  }
  RECT outer = WindowRect();
  const bool placed = form.left() || form.top() || form.centred();
  // A window that the program places keeps the program's twips; one that the system places
  // reports where it went.
  placing_ = placed;
  CreateWindowExW(extended_style_, Win32WindowSystem::kFormClassName, Widen(form.caption()).c_str(),
                  style_, placed ? outer.left : CW_USEDEFAULT, placed ? outer.top : CW_USEDEFAULT,
                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                  system.instance(), this);
  placing_ = false;
  if (!hwnd_) return;
  CreateChildren();
  for (const auto& control : form_.controls()) {
    if (control->kind() == ControlKind::kTimer) timers_.push_back(control.get());
  }
}

Win32FormView::~Win32FormView() {
  if (hwnd_) {
    for (std::size_t id = 1; id <= timers_.size(); ++id) KillTimer(hwnd_, id);
    natives_.clear();  // the children stop reporting before they go
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

void Win32FormView::CreateChildren() {
  const auto& controls = form_.controls();
  for (std::size_t index = 0; index < controls.size(); ++index) {
    Control& control = *controls[index];
    if (control.holder() || !control.windowed()) continue;
    natives_.push_back(
        std::make_unique<NativeControl>(control, hwnd_, kFirstChildId + static_cast<int>(index),
                                        system_.font(), system_.scale().Rect(control.rect())));
  }
}

void Win32FormView::ShowTimer(const Control& timer) {
  for (std::size_t index = 0; index < timers_.size(); ++index) {
    if (timers_[index] != &timer) continue;
    // The system runs a 1 ms timer no faster than it can, every 10 ms or so.
    if (timer.ticking())
      SetTimer(hwnd_, index + 1, static_cast<UINT>(timer.interval_ms()), nullptr);
    else
      KillTimer(hwnd_, index + 1);
  }
}

RECT Win32FormView::WindowRect() const {
  const PixelScale& scale = system_.scale();
  RECT outer{0, 0, scale.X(form_.width()), scale.Y(form_.height())};
  AdjustWindowRectEx(&outer, style_, FALSE, extended_style_);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;

  RECT current{};
  if (hwnd_) GetWindowRect(hwnd_, &current);
  int x = current.left;
  int y = current.top;
  if (!hwnd_ && !form_.left() && !form_.top() && form_.centred()) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  if (form_.left()) x = scale.X(*form_.left());
  if (form_.top()) y = scale.Y(*form_.top());
  return RECT{x, y, x + width, y + height};
}

void Win32FormView::WindowChanged(WindowAspect aspect) {
  switch (aspect) {
    case WindowAspect::kGeometry:
      ApplyGeometry();
      break;
    case WindowAspect::kBackColour:
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WindowAspect::kVisible:
      ApplyVisible();
      break;
    case WindowAspect::kTopmost:
      ApplyTopmost();
      break;
    case WindowAspect::kOpacity:
      ApplyOpacity();
      break;
    case WindowAspect::kCaption:
      SetWindowTextW(hwnd_, Widen(form_.caption()).c_str());
      break;
  }
}

void Win32FormView::ApplyGeometry() {
  const RECT outer = WindowRect();
  placing_ = true;
  SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
  placing_ = false;
}

void Win32FormView::ApplyVisible() {
  if (!form_.visible()) {
    ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  if (IsWindowVisible(hwnd_)) return;
  // Shown normally, not with SW_SHOWNOACTIVATE: a window shown without activation is not
  // managed under Wine's X11 driver and loses its taskbar and stacking states. The panel's
  // WS_EX_NOACTIVATE keeps later clicks from taking the focus.
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  TakeKeyboard();
}

void Win32FormView::TakeKeyboard() {
  // A dialog opened from the panel is where the user types next. The panel never activates,
  // but its click was this program's input, which lets the dialog come to the foreground.
  if (form_.style() != FormStyle::kBorderless) SetForegroundWindow(hwnd_);
}

void Win32FormView::ApplyTopmost() {
  if (form_.topmost())
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, kTopmostFlags);
  else
    SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, kNotTopmostFlags);
}

void Win32FormView::ApplyOpacity() {
  if (!form_.layered()) return;
  // The layered style, once given, is never taken away: opaque is opacity 255.
  const LONG style = GetWindowLongA(hwnd_, GWL_EXSTYLE);
  SetWindowLongA(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(form_.opacity()), LWA_ALPHA);
}

void Win32FormView::ControlChanged(const Control& control, ControlAspect aspect) {
  if (aspect == ControlAspect::kTimer) {
    ShowTimer(control);
    return;
  }
  if (control.windowed()) {
    if (NativeControl* native = NativeOf(control)) native->Show(aspect);
    return;
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32FormView::FocusChanged(const Control& control) {
  NativeControl* native = NativeOf(control);
  if (focusing_ || !native || GetFocus() == native->hwnd()) return;
  // A hidden window takes the focus when it is next activated (WM_ACTIVATE).
  if (!IsWindowVisible(hwnd_)) return;
  focusing_ = true;
  SetFocus(native->hwnd());
  focusing_ = false;
}

void Win32FormView::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TakeKeyboard();
}

void Win32FormView::ReportPosition() {
  RECT outer;
  if (!GetWindowRect(hwnd_, &outer)) return;
  const PixelScale& scale = system_.scale();
  form_.input().Moved(static_cast<float>(scale.TwipsX(outer.left)),
                      static_cast<float>(scale.TwipsY(outer.top)));
}

void Win32FormView::StartMove() {
  // The window manager's own move loop, as a press on a caption starts it; it returns when the
  // button is let go.
  ReleaseCapture();
  SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  form_.input().MoveFinished();
}

NativeControl* Win32FormView::NativeOf(const Control& control) const {
  for (const auto& native : natives_) {
    if (&native->control() == &control) return native->hwnd() ? native.get() : nullptr;
  }
  return nullptr;
}

HBITMAP Win32FormView::PictureOf(const Control& control) {
  // A picture the program holds at run time (the clipboard's) stays in a holder, never drawn.
  return system_.pictures().Named(control.look().picture);
}

HBRUSH Win32FormView::BrushOf(COLORREF colour) {
  auto found = brushes_.find(colour);
  if (found == brushes_.end()) found = brushes_.emplace(colour, CreateSolidBrush(colour)).first;
  return found->second;
}

void Win32FormView::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  // Drawn into memory first, so that the layers never flicker on the screen.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawingTools tools{system_.scale(), system_.font(), system_.underline_font(),
                     [this](const Control& control) { return PictureOf(control); }};
  PaintForm(memory, client, form_, tools);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(hwnd_, &paint);
}

void Win32FormView::MouseDown(MouseButton button, LPARAM lparam) {
  const PixelScale& scale = system_.scale();
  // The form may run the system's move loop before this returns.
  if (form_.input().Pressed(scale.TwipsX(GET_X_LPARAM(lparam)), scale.TwipsY(GET_Y_LPARAM(lparam)),
                            button))
    SetCapture(hwnd_);
}

void Win32FormView::MouseUp(MouseButton button, LPARAM lparam) {
  // Released before the capture goes: letting the capture go reports a lost press.
  const PixelScale& scale = system_.scale();
  HWND hwnd = hwnd_;  // the click may discard this view
  form_.input().Released(scale.TwipsX(GET_X_LPARAM(lparam)), scale.TwipsY(GET_Y_LPARAM(lparam)),
                         button);
  if (GetCapture() == hwnd) ReleaseCapture();
}

bool Win32FormView::SetCursorOverControl() {
  POINT point;
  GetCursorPos(&point);
  ScreenToClient(hwnd_, &point);
  const PixelScale& scale = system_.scale();
  const Control* control = form_.DrawnControlAt(scale.TwipsX(point.x), scale.TwipsY(point.y));
  if (!control || !control->look().question_cursor) return false;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32651) /* IDC_HELP */));
  return true;
}

LRESULT Win32FormView::ChildColours(HDC dc, HWND child, UINT message, WPARAM wparam,
                                    LPARAM lparam) {
  NativeControl* native = NativeControl::Of(child);
  // Check boxes take their colours from their look; the other controls keep the system's.
  if (!native || native->control().kind() != ControlKind::kCheckBox)
    return DefWindowProcW(hwnd_, message, wparam, lparam);
  const ControlLook& look = native->control().look();
  SetTextColor(dc, ColourRef(look.fore_colour));
  SetBkColor(dc, ColourRef(look.back_colour));
  return reinterpret_cast<LRESULT>(BrushOf(ColourRef(look.back_colour)));
}

LRESULT Win32FormView::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted in WM_PAINT
    case WM_LBUTTONDOWN:
      MouseDown(MouseButton::kLeft, lparam);
      return 0;
    case WM_RBUTTONDOWN:
      MouseDown(MouseButton::kRight, lparam);
      return 0;
    case WM_MBUTTONDOWN:
      MouseDown(MouseButton::kMiddle, lparam);
      return 0;
    case WM_LBUTTONUP:
      MouseUp(MouseButton::kLeft, lparam);
      return 0;
    case WM_RBUTTONUP:
      MouseUp(MouseButton::kRight, lparam);
      return 0;
    case WM_MBUTTONUP:
      MouseUp(MouseButton::kMiddle, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != hwnd_) form_.input().PressCancelled();
      return 0;
    case WM_MOUSEACTIVATE:
      if (form_.style() == FormStyle::kBorderless) return MA_NOACTIVATE;
      break;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == hwnd_ &&
          SetCursorOverControl())
        return TRUE;
      break;
    case WM_TIMER:
      if (wparam >= 1 && wparam <= timers_.size()) form_.input().TimerTicked(*timers_[wparam - 1]);
      return 0;
    case WM_COMMAND:
      if (NativeControl* native = NativeControl::Of(reinterpret_cast<HWND>(lparam))) {
        native->Command(HIWORD(wparam));
        return 0;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (NativeControl* native = NativeControl::Of(reinterpret_cast<HWND>(lparam))) {
        native->Scroll(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      NativeControl* native = NativeControl::Of(item->hwndItem);
      if (!native || !native->picture_button()) break;
      DrawPictureButton(*item, PictureOf(native->control()),
                        ColourRef(native->control().look().transparent_colour));
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ChildColours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), message,
                          wparam, lparam);
    case WM_ACTIVATE:
      // The control that last had the focus gets it back.
      if (LOWORD(wparam) != WA_INACTIVE && form_.focused()) {
        if (NativeControl* native = NativeOf(*form_.focused())) {
          SetFocus(native->hwnd());
          return 0;
        }
      }
      break;
    case WM_MOVE:
      if (!placing_) ReportPosition();
      return 0;
    case WM_CLOSE:
      // The close box, or a request from outside (taskkill, say): the program decides.
      form_.input().CloseRequested();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) form_.input().CloseRequested();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

HWND HwndOf(const Form* form) {
  const auto* view = form ? dynamic_cast<const Win32FormView*>(form->view()) : nullptr;
  return view ? view->hwnd() : nullptr;
}

LRESULT CALLBACK Win32FormView::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* view =
        static_cast<Win32FormView*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    view->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view = reinterpret_cast<Win32FormView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!view) return DefWindowProcW(hwnd, message, wparam, lparam);
  // Nothing a handler throws may cross the system's frames or end the program.
  LRESULT result = 0;
  RunEvent([&] { result = view->Handle(message, wparam, lparam); });
  return result;
}

}  // namespace clipnest::win32
