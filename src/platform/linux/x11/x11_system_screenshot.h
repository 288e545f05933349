#pragma once

#include "platform/system_screenshot.h"

namespace clipnest::linux_backend {

class X11KeyState;

// The PrintScreen screenshot that X11 itself does not take: at the press of the key, while
// `wanted` says so, the whole screen (all of the root window) becomes the clipboard's picture,
// as with any screenshot tool: the program owns the clipboard and Qt answers other programs.
// It hears the press from the key state before any poller of the key can.
class X11SystemScreenshot : public SystemScreenshot {
 public:
  explicit X11SystemScreenshot(X11KeyState& keys);
  ~X11SystemScreenshot() override;
  X11SystemScreenshot(const X11SystemScreenshot&) = delete;
  X11SystemScreenshot& operator=(const X11SystemScreenshot&) = delete;

  void TakeAtPrintScreen(std::function<bool()> wanted) override;
  // Taken already, at the key's raw event.
  void PrintScreenPressed(bool) override {}

 private:
  X11KeyState& keys_;
  std::function<bool()> wanted_;
};

}  // namespace clipnest::linux_backend
