#include "platform/linux/x11/x11_system_screenshot.h"

#include "platform/linux/x11/x11_key_state.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <bit>

// Xlib's macros (Bool, Status, None...) clash with Qt's names: Xlib comes after Qt.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace clipnest::linux_backend {
namespace {

// One colour of a TrueColor pixel, scaled to 8 bits whatever the depth of the screen.
class Channel {
 public:
  explicit Channel(unsigned long mask)
      : mask_(mask), shift_(std::countr_zero(mask)), top_(mask >> shift_) {}
  int operator()(unsigned long pixel) const {
    return static_cast<int>(((pixel & mask_) >> shift_) * 255 / top_);
  }

 private:
  unsigned long mask_;
  int shift_;
  unsigned long top_;
};

// The pixels of a TrueColor screen; a null image for other screens or when memory runs out.
QImage ToImage(XImage* shot) {
  if (!shot->red_mask || !shot->green_mask || !shot->blue_mask) return {};
  QImage image(shot->width, shot->height, QImage::Format_RGB32);
  const Channel red(shot->red_mask), green(shot->green_mask), blue(shot->blue_mask);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const unsigned long pixel = XGetPixel(shot, x, y);
      row[x] = qRgb(red(pixel), green(pixel), blue(pixel));
    }
  }
  return image;
}

// The whole root window; a null image when there is nothing to offer, and then the clipboard
// stays as it was.
QImage GrabRootWindow() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return {};
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, root, &attributes)) return {};
  XImage* shot =
      XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!shot) return {};
  QImage image = ToImage(shot);
  XDestroyImage(shot);
  return image;
}

}  // namespace

X11SystemScreenshot::X11SystemScreenshot(X11KeyState& keys) : keys_(keys) {
  keys_.on_press = [this](int virtual_key) {
    if (virtual_key != virtual_key::kPrintScreen || !wanted_ || !wanted_()) return;
    const QImage screen = GrabRootWindow();
    if (!screen.isNull()) QGuiApplication::clipboard()->setImage(screen);
  };
}

X11SystemScreenshot::~X11SystemScreenshot() {
  keys_.on_press = nullptr;
}

void X11SystemScreenshot::TakeAtPrintScreen(std::function<bool()> wanted) {
  wanted_ = std::move(wanted);
}

}  // namespace clipnest::linux_backend
