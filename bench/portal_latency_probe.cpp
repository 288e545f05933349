// Presses Pause through the fake desktop behind the portal (tests/linux/fake_portal) and times
// each press from the call to the panel's unmapping, over a number of hides.
// Usage: portal_latency_probe WINDOW_ID HIDES   (on the bus of DBUS_SESSION_BUS_ADDRESS)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Waits up to two seconds for the window to be mapped or unmapped; false when it is not.
bool WaitFor(Display* display, Window window, int type) {
  const auto end = Clock::now() + std::chrono::seconds(2);
  while (Clock::now() < end) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == type && event.xany.window == window) return true;
    }
    pollfd readable{ConnectionNumber(display), POLLIN, 0};
    poll(&readable, 1, 1);
  }
  return false;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  QCoreApplication application(argc, argv);
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int hides = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSelectInput(display, window, StructureNotifyMask);
  QDBusInterface desktop(QStringLiteral("org.freedesktop.impl.portal.desktop.clipnesttest"),
                         QStringLiteral("/org/freedesktop/portal/desktop"),
                         QStringLiteral("org.clipnest.Test"));
  auto press = [&](bool down) {
    desktop.call(QStringLiteral("Press"), QStringLiteral("toggle-panel"), down);
  };

  std::vector<double> milliseconds;
  while (static_cast<int>(milliseconds.size()) < hides) {
    const bool shown = Viewable(display, window);
    const auto start = Clock::now();
    press(true);
    if (!WaitFor(display, window, shown ? UnmapNotify : MapNotify)) break;
    if (shown)
      milliseconds.push_back(
          std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    press(false);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  if (milliseconds.empty()) {
    std::printf("no press hid the panel\n");
    return 1;
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%zu hides   median %.1f ms   worst %.1f ms\n", milliseconds.size(),
              milliseconds[milliseconds.size() / 2], milliseconds.back());
  return static_cast<int>(milliseconds.size()) == hides ? 0 : 1;
}
