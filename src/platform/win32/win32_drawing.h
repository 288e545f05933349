#pragma once

#include "forms/form.h"
#include "platform/win32/win32_pixel_scale.h"

#include <windows.h>

#include <functional>

namespace clipnest::win32 {

struct DrawingTools {
  PixelScale scale;
  HFONT font = nullptr;
  HFONT underline_font = nullptr;
  // The picture an image or a picture button shows, or nullptr.
  std::function<HBITMAP(const Control&)> picture_of;
};

// The form's background and its drawn controls (images, labels, shapes, lines) in stacking
// order, bottom first, so that a control higher up covers the ones below it.
void PaintForm(HDC dc, const RECT& client, const Form& form, const DrawingTools& tools);

// The face of a picture button: a push button frame with the picture centred on it.
void DrawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, COLORREF transparent);

}  // namespace clipnest::win32
