#pragma once

#include "forms/control.h"

#include <windows.h>

#include <cmath>

namespace clipnest::win32 {

// Twips to pixels and back at the screen's logical resolution.
struct PixelScale {
  int twips_per_pixel_x = 15;
  int twips_per_pixel_y = 15;

  int X(double twips) const { return static_cast<int>(std::lround(twips / twips_per_pixel_x)); }
  int Y(double twips) const { return static_cast<int>(std::lround(twips / twips_per_pixel_y)); }
  RECT Rect(const TwipsRect& rect) const {
    const int left = X(rect.left);
    const int top = Y(rect.top);
    return RECT{left, top, left + X(rect.width), top + Y(rect.height)};
  }
  int TwipsX(int pixels) const { return pixels * twips_per_pixel_x; }
  int TwipsY(int pixels) const { return pixels * twips_per_pixel_y; }
};

}  // namespace clipnest::win32
