#pragma once

#include "forms/window_system.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_pixel_scale.h"

#include <windows.h>

namespace clipnest::win32 {

// The native windows of the forms: one window class, the dialog font, the compiled-in pictures
// and the message loop.
class Win32WindowSystem : public WindowSystem {
 public:
  explicit Win32WindowSystem(HINSTANCE instance);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<FormView> CreateView(Form& form) override;
  int TwipsPerPixelX() override { return scale_.twips_per_pixel_x; }
  int TwipsPerPixelY() override { return scale_.twips_per_pixel_y; }

  // Dispatches messages until the process ends.
  int RunMessageLoop();

  HINSTANCE instance() const { return instance_; }
  const PixelScale& scale() const { return scale_; }
  HFONT font() const { return font_; }
  HFONT underline_font() const { return underline_font_; }
  Win32Pictures& pictures() { return pictures_; }

  static constexpr const wchar_t* kFormClassName = L"ClipnestForm";

 private:
  HINSTANCE instance_;
  PixelScale scale_;
  HFONT font_ = nullptr;
  HFONT underline_font_ = nullptr;
  Win32Pictures pictures_;
};

}  // namespace clipnest::win32
