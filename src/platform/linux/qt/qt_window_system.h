#pragma once

#include "forms/window_system.h"
#include "platform/linux/qt/twips_scale.h"

namespace clipnest::linux_backend {

// Forms as Qt widgets on X11.
class QtWindowSystem : public WindowSystem {
 public:
  QtWindowSystem();
  std::unique_ptr<FormView> CreateView(Form& form) override;
  int TwipsPerPixelX() override { return scale_.per_pixel_x; }
  int TwipsPerPixelY() override { return scale_.per_pixel_y; }

 private:
  TwipsScale scale_;
};

}  // namespace clipnest::linux_backend
