#include "platform/win32/win32_native_control.h"

#include "forms/event_guard.h"
#include "forms/form.h"
#include "platform/win32/win32_text.h"

#include <string>

namespace clipnest::win32 {
namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kTab = 9;

struct NativeKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

NativeKind KindOf(const Control& control) {
  switch (control.kind()) {
    case ControlKind::kTextBox:
      if (control.look().multi_line)
        return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE};
      return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kCheckBox:
      // Not an automatic check box: the control's value decides the tick.
      return {L"BUTTON", BS_CHECKBOX, 0};
    case ControlKind::kScrollBar: {
      const TwipsRect& rect = control.rect();
      return {L"SCROLLBAR", static_cast<DWORD>(rect.height > rect.width ? SBS_VERT : SBS_HORZ), 0};
    }
    default:
      if (!control.look().picture.empty() || !control.picture().empty())
        return {L"BUTTON", BS_OWNERDRAW, 0};
      return {L"BUTTON", BS_PUSHBUTTON, 0};
  }
}

}  // namespace

NativeControl::NativeControl(Control& control, HWND parent, int id, HFONT font, const RECT& box)
    : control_(control) {
  const NativeKind kind = KindOf(control);
  DWORD style = WS_CHILD | WS_TABSTOP | kind.style;
  if (control.visible()) style |= WS_VISIBLE;
  if (!control.enabled()) style |= WS_DISABLED;
  hwnd_ = CreateWindowExW(
      kind.extended_style, kind.window_class, L"", style, box.left, box.top, box.right - box.left,
      box.bottom - box.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (!hwnd_) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  ShowText();
  ShowValue();
}

NativeControl::~NativeControl() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
}

NativeControl* NativeControl::Of(HWND child) {
  if (!child) return nullptr;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC)) != &SubclassProc)
    return nullptr;
  return reinterpret_cast<NativeControl*>(GetWindowLongPtrW(child, GWLP_USERDATA));
}

bool NativeControl::picture_button() const {
  return control_.kind() == ControlKind::kButton &&
         (!control_.look().picture.empty() || !control_.picture().empty());
}

void NativeControl::Show(ControlAspect aspect) {
  switch (aspect) {
    case ControlAspect::kText:
      ShowText();
      break;
    case ControlAspect::kValue:
      ShowValue();
      break;
    case ControlAspect::kEnabled:
      EnableWindow(hwnd_, control_.enabled());
      break;
    case ControlAspect::kVisible:
      ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ControlAspect::kTimer:
      break;
    case ControlAspect::kColours:
    case ControlAspect::kPicture:
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
  }
}

std::wstring NativeControl::NativeText() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void NativeControl::ShowText() {
  if (control_.kind() == ControlKind::kScrollBar || picture_button()) return;
  const std::wstring text = Widen(control_.text());
  // The user's own typing comes back here from the control: showing it again would move the
  // caret, so an unchanged text is left alone.
  if (text == NativeText()) return;
  showing_ = true;
  SetWindowTextW(hwnd_, text.c_str());
  showing_ = false;
}

void NativeControl::ShowValue() {
  showing_ = true;
  if (control_.kind() == ControlKind::kCheckBox) {
    SendMessageW(hwnd_, BM_SETCHECK, control_.value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (control_.kind() == ControlKind::kScrollBar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = control_.minimum();
    info.nMax = control_.maximum();
    info.nPos = control_.value();
    SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
  }
  showing_ = false;
}

void NativeControl::Command(WORD notification) {
  if (showing_) return;
  FormInput& input = control_.form().input();
  if (control_.kind() == ControlKind::kTextBox && notification == EN_CHANGE) {
    input.TextEdited(control_, Narrow(NativeText()));
  } else if (control_.kind() != ControlKind::kTextBox && notification == BN_CLICKED) {
    input.Clicked(control_);  // a check box's click toggles its value, which shows the new tick
  }
}

void NativeControl::Scroll(WORD request) {
  if (showing_ || control_.kind() != ControlKind::kScrollBar) return;
  ScrollAction action;
  switch (request) {
    case SB_LINELEFT:
      action = ScrollAction::kLineLeft;
      break;
    case SB_LINERIGHT:
      action = ScrollAction::kLineRight;
      break;
    case SB_PAGELEFT:
      action = ScrollAction::kPageLeft;
      break;
    case SB_PAGERIGHT:
      action = ScrollAction::kPageRight;
      break;
    case SB_LEFT:
      action = ScrollAction::kToMinimum;
      break;
    case SB_RIGHT:
      action = ScrollAction::kToMaximum;
      break;
    case SB_THUMBTRACK:
      action = ScrollAction::kThumbTrack;
      break;
    case SB_THUMBPOSITION:
      action = ScrollAction::kThumbPosition;
      break;
    default:
      return;
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, SB_CTL, &info);
  control_.form().input().Scrolled(control_, action, info.nTrackPos);
}

LRESULT NativeControl::KeyCharacter(WPARAM wparam, LPARAM lparam) {
  const int key = static_cast<int>(wparam);
  if (key == kTab) return 0;  // moving the focus is done on the key itself
  HWND hwnd = hwnd_;
  WNDPROC original = original_;
  // A single-line EDIT would beep on Enter, a button has no use of its own for it.
  const bool used_up =
      key == kEscape ||
      (key == kEnter && !(control_.kind() == ControlKind::kTextBox && control_.look().multi_line));
  // The control may be gone after the handler (a dialog hidden or discarded by it).
  control_.form().input().KeyTyped(control_, key);
  if (used_up || !IsWindow(hwnd)) return 0;
  return CallWindowProcW(original, hwnd, WM_CHAR, wparam, lparam);
}

LRESULT CALLBACK NativeControl::SubclassProc(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  // Nothing a handler throws may cross the system's frames or end the program.
  LRESULT result = 0;
  RunEvent([&] { result = Handle(hwnd, message, wparam, lparam); });
  return result;
}

LRESULT NativeControl::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<NativeControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_CHAR:
      return self->KeyCharacter(wparam, lparam);
    case WM_KEYDOWN:
      if (wparam == VK_TAB) {
        self->control_.form().input().TabPressed(self->control_, GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      break;
    case WM_SETFOCUS: {
      const LRESULT result = CallWindowProcW(self->original_, hwnd, message, wparam, lparam);
      self->control_.form().input().FocusEntered(self->control_);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(self->original_, hwnd, message, wparam, lparam);
}

}  // namespace clipnest::win32
