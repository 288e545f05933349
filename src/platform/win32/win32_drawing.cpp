#include "platform/win32/win32_drawing.h"

#include "platform/win32/win32_colours.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_text.h"

namespace clipnest::win32 {
namespace {

// A pen or brush selected into a device context for one drawing call.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object, bool owned = true)
      : dc_(dc), object_(object), old_(SelectObject(dc, object)), owned_(owned) {}
  ~Selected() {
    SelectObject(dc_, old_);
    if (owned_) DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_;
  bool owned_;
};

void FillWith(HDC dc, const RECT& rect, OleColour colour) {
  HBRUSH brush = CreateSolidBrush(ColourRef(colour));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawImage(HDC dc, const Control& control, const DrawingTools& tools) {
  HBITMAP picture = tools.picture_of(control);
  if (!picture) return;
  const RECT box = tools.scale.Rect(control.rect());
  // The box is the picture's size: nothing is stretched, anything larger is cut.
  const OleColour transparent = control.look().transparent_colour;
  if (transparent == kNoTransparentColour) {
    DrawOpaque(dc, picture, box.left, box.top, box.right - box.left, box.bottom - box.top);
  } else {
    DrawTransparent(dc, picture, box.left, box.top, box.right - box.left, box.bottom - box.top,
                    ColourRef(transparent));
  }
}

void DrawShape(HDC dc, const Control& control, const DrawingTools& tools) {
  const RECT box = tools.scale.Rect(control.rect());
  Selected pen(dc, CreatePen(PS_SOLID, 1, ColourRef(control.look().fore_colour)));
  Selected brush(dc, GetStockObject(NULL_BRUSH), false);
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

void DrawLine(HDC dc, const Control& control, const DrawingTools& tools) {
  const RECT ends = tools.scale.Rect(control.rect());
  const COLORREF colour = ColourRef(control.look().fore_colour);
  Selected pen(dc, CreatePen(PS_SOLID, 1, colour));
  MoveToEx(dc, ends.left, ends.top, nullptr);
  LineTo(dc, ends.right, ends.bottom);
  SetPixel(dc, ends.right, ends.bottom, colour);  // LineTo leaves out the last point
}

void DrawLabel(HDC dc, const Control& control, const DrawingTools& tools) {
  const ControlLook& look = control.look();
  RECT box = tools.scale.Rect(control.rect());
  if (look.opaque_back) FillWith(dc, box, look.back_colour);
  if (look.border == BorderStyle::kSunken) {
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else if (look.border == BorderStyle::kFixedSingle) {
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&box, -1, -1);
  }
  const std::wstring text = Widen(control.text());
  if (text.empty()) return;
  Selected font(dc, look.underline ? tools.underline_font : tools.font, false);
  SetTextColor(dc, control.enabled() ? ColourRef(look.fore_colour) : GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  // A label of fixed size wraps its text at word boundaries within its box whether or not it
  // grows with its text (word_wrap only says how a growing label grows).
  const UINT format = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

}  // namespace

void PaintForm(HDC dc, const RECT& client, const Form& form, const DrawingTools& tools) {
  FillWith(dc, client, form.back_colour());
  for (const Control* drawn : form.DrawnControlsBottomUp()) {
    const Control& control = *drawn;
    switch (control.kind()) {
      case ControlKind::kImage:
        DrawImage(dc, control, tools);
        break;
      case ControlKind::kShape:
        DrawShape(dc, control, tools);
        break;
      case ControlKind::kLine:
        DrawLine(dc, control, tools);
        break;
      case ControlKind::kLabel:
        DrawLabel(dc, control, tools);
        break;
      default:
        break;
    }
  }
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, COLORREF transparent) {
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (picture) {
    const SIZE size = BitmapSize(picture);
    const int shift = pressed ? 1 : 0;  // the picture follows the pressed face
    const int x = (face.left + face.right - size.cx) / 2 + shift;
    const int y = (face.top + face.bottom - size.cy) / 2 + shift;
    DrawTransparent(item.hDC, picture, x, y, size.cx, size.cy, transparent);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace clipnest::win32
