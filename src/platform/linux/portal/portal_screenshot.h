#pragma once

#include "platform/system_screenshot.h"

#include <QObject>

namespace clipnest::linux_backend {

class PortalKeyState;

// The PrintScreen screenshot on a Wayland session, where a program cannot read the screen
// itself: at the press of the key, while `wanted` says so, the desktop portal takes the whole
// screen without asking the user each time, and the picture becomes the clipboard's. The key
// reads up until the picture is there (or the portal gave up), so that a poller of the key
// saves the new picture and not the one before.
class PortalScreenshot : public SystemScreenshot {
 public:
  explicit PortalScreenshot(PortalKeyState& keys);
  ~PortalScreenshot() override;
  PortalScreenshot(const PortalScreenshot&) = delete;
  PortalScreenshot& operator=(const PortalScreenshot&) = delete;

  void TakeAtPrintScreen(std::function<bool()> wanted) override;
  // Taken already, when the portal activated the shortcut.
  void PrintScreenPressed(bool) override {}

 private:
  void Take();

  PortalKeyState& keys_;
  std::function<bool()> wanted_;
  QObject requests_;  // the parent of the calls under way, which end with it
  bool taking_ = false;
  int calls_ = 0;
};

}  // namespace clipnest::linux_backend
