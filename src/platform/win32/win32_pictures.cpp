#include "platform/win32/win32_pictures.h"

#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cstdlib>

namespace clipnest::win32 {

Win32Pictures::~Win32Pictures() {
  for (auto& [name, bitmap] : loaded_) {
    if (bitmap) DeleteObject(bitmap);
  }
}

HBITMAP Win32Pictures::Named(const std::string& name) {
  if (name.empty()) return nullptr;
  auto found = loaded_.find(name);
  if (found != loaded_.end()) return found->second;
  // A DIB section keeps the exact colours, so the transparent colour matches exactly.
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(instance_, Widen(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  loaded_.emplace(name, bitmap);
  return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP description{};
  if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) return SIZE{0, 0};
  return SIZE{description.bmWidth, std::abs(description.bmHeight)};
}

namespace {

// Copies a bitmap cut to width x height at most, through the given copy.
template <typename Copy>
void DrawCut(HDC target, HBITMAP bitmap, int width, int height, Copy copy) {
  const SIZE size = BitmapSize(bitmap);
  width = std::min<int>(width, size.cx);
  height = std::min<int>(height, size.cy);
  if (width <= 0 || height <= 0) return;
  HDC source = CreateCompatibleDC(target);
  HGDIOBJ old = SelectObject(source, bitmap);
  copy(source, width, height);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace

void DrawOpaque(HDC target, HBITMAP bitmap, int x, int y, int width, int height) {
  DrawCut(target, bitmap, width, height, [&](HDC source, int cut_width, int cut_height) {
    BitBlt(target, x, y, cut_width, cut_height, source, 0, 0, SRCCOPY);
  });
}

void DrawTransparent(HDC target, HBITMAP bitmap, int x, int y, int width, int height,
                     COLORREF transparent) {
  DrawCut(target, bitmap, width, height, [&](HDC source, int cut_width, int cut_height) {
    TransparentBlt(target, x, y, cut_width, cut_height, source, 0, 0, cut_width, cut_height,
                   transparent);
  });
}

}  // namespace clipnest::win32
