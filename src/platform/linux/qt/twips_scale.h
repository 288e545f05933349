#pragma once

#include "forms/control.h"

#include <QPoint>
#include <QRect>

#include <cmath>

namespace clipnest::linux_backend {

// Twips to the screen's pixels and back.
struct TwipsScale {
  int per_pixel_x = 15;
  int per_pixel_y = 15;

  int PixelsX(double twips) const { return static_cast<int>(std::lround(twips / per_pixel_x)); }
  int PixelsY(double twips) const { return static_cast<int>(std::lround(twips / per_pixel_y)); }
  QRect Pixels(const TwipsRect& rect) const {
    return {PixelsX(rect.left), PixelsY(rect.top), PixelsX(rect.width), PixelsY(rect.height)};
  }
  int TwipsX(int pixels) const { return pixels * per_pixel_x; }
  int TwipsY(int pixels) const { return pixels * per_pixel_y; }
};

}  // namespace clipnest::linux_backend
