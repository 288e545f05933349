#include "platform/win32/win32_screen_capture.h"

#include "platform/dib.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace clipnest::win32 {
namespace {

// A function of a system DLL that older systems lack, looked up at run time so that the program
// still starts there.
template <typename Function>
Function SystemFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through void (*)(): the one function pointer type that converts to every other one cleanly.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The calling thread made aware of each monitor's DPI for its life, so that sizes, window
// rectangles and the screen DC are in physical pixels (a DC's scaling is fixed when it is
// acquired). The program itself is not DPI aware: without this, a monitor above 100 % would
// come out as its scaled-down size and the picture would be cropped. Per-monitor v2 where the
// system has it (Windows 10 1703), else per-monitor (Windows 10 1607); where the function is
// missing (Windows 8.1 and older, which do not scale per monitor this way) nothing changes.
class PhysicalPixelsThread {
 public:
  PhysicalPixelsThread() {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    set_ =
        SystemFunction<SetContext>(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext");
    if (!set_) return;
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE; the call returns the
    // old context, or null for a context the system does not know.
    for (INT_PTR context : {-4, -3}) {
      previous_ = set_(reinterpret_cast<HANDLE>(context));
      if (previous_) return;
    }
  }
  ~PhysicalPixelsThread() {
    if (previous_) set_(previous_);
  }
  PhysicalPixelsThread(const PhysicalPixelsThread&) = delete;
  PhysicalPixelsThread& operator=(const PhysicalPixelsThread&) = delete;

 private:
  HANDLE(WINAPI* set_)(HANDLE) = nullptr;
  HANDLE previous_ = nullptr;
};

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The foreground window as it shows: the frame the window manager draws (without the invisible
// resize borders of Windows 10), else the window's rectangle; the whole screen when no window
// is in front.
RECT ForegroundWindow() {
  HWND window = GetForegroundWindow();
  if (!window) return VirtualScreen();
  using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
  static const GetAttribute get_attribute = [] {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 12 >= MAX_PATH) return GetAttribute{};
    std::wcscpy(path + length, L"\\dwmapi.dll");
    return SystemFunction<GetAttribute>(LoadLibraryW(path), "DwmGetWindowAttribute");
  }();
  constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
  RECT frame{};
  if (get_attribute &&
      SUCCEEDED(get_attribute(window, kExtendedFrameBounds, &frame, sizeof frame)) &&
      frame.right > frame.left && frame.bottom > frame.top)
    return frame;
  if (GetWindowRect(window, &frame)) return frame;
  return VirtualScreen();
}

// A global block of `size` bytes, locked while this lives; it owns the block until Release.
class GlobalBlock {
 public:
  explicit GlobalBlock(std::size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {
    if (block_) bytes_ = static_cast<char*>(GlobalLock(block_));
  }
  ~GlobalBlock() {
    if (bytes_) GlobalUnlock(block_);
    if (block_) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  char* bytes() const { return bytes_; }
  HGLOBAL Release() {
    GlobalUnlock(block_);
    bytes_ = nullptr;
    return std::exchange(block_, nullptr);
  }

 private:
  HGLOBAL block_;
  char* bytes_ = nullptr;
};

// The screen DC and a memory DC with a 24-bit DIB section selected into it, for one copy.
class ScreenCopy {
 public:
  explicit ScreenCopy(const BITMAPINFO& info) : screen_(GetDC(nullptr)) {
    if (!screen_) return;
    memory_ = CreateCompatibleDC(screen_);
    section_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (memory_ && section_) old_ = SelectObject(memory_, section_);
  }
  ~ScreenCopy() {
    if (old_) SelectObject(memory_, old_);
    if (section_) DeleteObject(section_);
    if (memory_) DeleteDC(memory_);
    if (screen_) ReleaseDC(nullptr, screen_);
  }
  ScreenCopy(const ScreenCopy&) = delete;
  ScreenCopy& operator=(const ScreenCopy&) = delete;

  // The screen's pixels of an area; null when the copy failed. SRCCOPY alone: since Windows 8 it
  // includes layered windows, and CAPTUREBLT would make the mouse pointer flicker.
  const void* Copy(const RECT& area) {
    if (!old_) return nullptr;
    if (!BitBlt(memory_, 0, 0, area.right - area.left, area.bottom - area.top, screen_, area.left,
                area.top, SRCCOPY))
      return nullptr;
    GdiFlush();
    return bits_;
  }

 private:
  HDC screen_;
  HDC memory_ = nullptr;
  HBITMAP section_ = nullptr;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

HGLOBAL CaptureScreenDib(bool window_only) {
  PhysicalPixelsThread physical_pixels;
  const RECT area = window_only ? ForegroundWindow() : VirtualScreen();
  const std::int64_t width = std::int64_t{area.right} - area.left;
  const std::int64_t height = std::int64_t{area.bottom} - area.top;
  if (width <= 0 || height <= 0 || width > kLargestPictureSide || height > kLargestPictureSide)
    return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = static_cast<LONG>(height);  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<std::uint64_t>(height));

  ScreenCopy copy(info);
  const void* pixels = copy.Copy(area);
  if (!pixels) return nullptr;
  GlobalBlock block(sizeof info.bmiHeader + info.bmiHeader.biSizeImage);
  if (!block.bytes()) return nullptr;
  std::memcpy(block.bytes(), &info.bmiHeader, sizeof info.bmiHeader);
  std::memcpy(block.bytes() + sizeof info.bmiHeader, pixels, info.bmiHeader.biSizeImage);
  return block.Release();
}

}  // namespace clipnest::win32
