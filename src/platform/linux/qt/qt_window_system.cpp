#include "platform/linux/qt/qt_window_system.h"

#include "platform/linux/qt/qt_form_view.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace clipnest::linux_backend {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int TwipsPerPixel(double dots_per_inch) {
  if (dots_per_inch <= 0) return 15;
  return std::max(1, static_cast<int>(std::lround(kTwipsPerInch / dots_per_inch)));
}

}  // namespace

QtWindowSystem::QtWindowSystem() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    scale_.per_pixel_x = TwipsPerPixel(screen->logicalDotsPerInchX());
    scale_.per_pixel_y = TwipsPerPixel(screen->logicalDotsPerInchY());
  }
}

std::unique_ptr<FormView> QtWindowSystem::CreateView(Form& form) {
  return std::make_unique<QtFormView>(form, scale_);
}

}  // namespace clipnest::linux_backend
