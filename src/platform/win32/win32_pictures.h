#pragma once

#include "forms/control.h"

#include <windows.h>

#include <map>
#include <string>

namespace clipnest::win32 {

// The pictures compiled into the executable, found by their resource name (the name a control's
// look gives), loaded once as DIB sections and kept for the program's life.
class Win32Pictures {
 public:
  explicit Win32Pictures(HINSTANCE instance) : instance_(instance) {}
  ~Win32Pictures();
  Win32Pictures(const Win32Pictures&) = delete;
  Win32Pictures& operator=(const Win32Pictures&) = delete;

  // Nothing (nullptr) for an empty name or a missing resource.
  HBITMAP Named(const std::string& name);

 private:
  HINSTANCE instance_;
  std::map<std::string, HBITMAP> loaded_;
};

// A bitmap's size in pixels.
SIZE BitmapSize(HBITMAP bitmap);

// Draws a bitmap as it is, cut to the size given.
void DrawOpaque(HDC target, HBITMAP bitmap, int x, int y, int width, int height);

// Draws a bitmap at (x, y), its transparent colour left out, cut to width x height at most.
void DrawTransparent(HDC target, HBITMAP bitmap, int x, int y, int width, int height,
                     COLORREF transparent);

}  // namespace clipnest::win32
