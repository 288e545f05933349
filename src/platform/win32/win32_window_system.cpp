#include "platform/win32/win32_window_system.h"

#include "platform/win32/win32_form_view.h"

namespace clipnest::win32 {
namespace {

// 8.25-point MS Sans Serif with the Cyrillic character set, the forms' font: 11 pixels at 96 dots
// per inch.
HFONT MakeDialogFont(int dots_per_inch, bool underline) {
  const int height = -MulDiv(825, dots_per_inch, 7200);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance)
    : instance_(instance), pictures_(instance) {
  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  scale_.twips_per_pixel_x = dpi_x > 0 ? 1440 / dpi_x : 15;
  scale_.twips_per_pixel_y = dpi_y > 0 ? 1440 / dpi_y : 15;
  font_ = MakeDialogFont(dpi_y > 0 ? dpi_y : 96, false);
  underline_font_ = MakeDialogFont(dpi_y > 0 ? dpi_y : 96, true);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Win32FormView::WindowProc;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  window_class.lpszClassName = kFormClassName;
  RegisterClassExW(&window_class);
}

Win32WindowSystem::~Win32WindowSystem() {
  DeleteObject(font_);
  DeleteObject(underline_font_);
}

std::unique_ptr<FormView> Win32WindowSystem::CreateView(Form& form) {
  return std::make_unique<Win32FormView>(*this, form);
}

int Win32WindowSystem::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace clipnest::win32
