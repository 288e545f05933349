#include "platform/linux/global_keys.h"

#include "platform/linux/portal/portal_key_state.h"
#include "platform/linux/portal/portal_screenshot.h"
#include "platform/linux/x11/x11_key_state.h"
#include "platform/linux/x11/x11_system_screenshot.h"

#include <QtGlobal>

namespace clipnest::linux_backend {
namespace {

bool WaylandSession() {
  return qgetenv("XDG_SESSION_TYPE") == "wayland" ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

GlobalKeys SessionGlobalKeys() {
  if (!WaylandSession()) {
    auto keys = std::make_unique<X11KeyState>();
    auto screenshot = std::make_unique<X11SystemScreenshot>(*keys);
    return {std::move(keys), std::move(screenshot)};
  }
  // A connection of the program's own, on which its registration comes first.
  auto keys = std::make_unique<PortalKeyState>(QDBusConnection::connectToBus(
      QDBusConnection::SessionBus, QStringLiteral("clipnest-portal")));
  PortalKeyState& portal = *keys;
  portal.make_fallback = [&portal]() -> std::unique_ptr<KeyState> {
    auto x11 = std::make_unique<X11KeyState>();
    x11->on_press = [&portal](int virtual_key) {
      if (portal.on_press) portal.on_press(virtual_key);
    };
    return x11;
  };
  auto screenshot = std::make_unique<PortalScreenshot>(portal);
  portal.Start();
  return {std::move(keys), std::move(screenshot)};
}

}  // namespace clipnest::linux_backend
