// Taps a key through XTest a number of times, each held down for a given time, and counts how
// often a window was hidden or shown in answer.
// Usage: tap_probe WINDOW_ID KEYSYM TAPS HOLD_MICROSECONDS GAP_MILLISECONDS
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Counts the window's map and unmap events that arrive within `milliseconds`.
int CountToggles(Display* display, Window window, int milliseconds) {
  int toggles = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if ((event.type == MapNotify && event.xmap.window == window) ||
          (event.type == UnmapNotify && event.xunmap.window == window))
        ++toggles;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          end - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) return toggles;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    ::poll(&connection, 1, static_cast<int>(left));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s WINDOW_ID KEYSYM TAPS HOLD_US GAP_MS\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const KeyCode key = XKeysymToKeycode(display, XStringToKeysym(argv[2]));
  const int taps = std::atoi(argv[3]);
  const int hold_us = std::atoi(argv[4]);
  const int gap_ms = std::atoi(argv[5]);
  XSelectInput(display, window, StructureNotifyMask);
  XSync(display, False);
  int toggles = 0;
  for (int tap = 0; tap < taps; ++tap) {
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XFlush(display);
    ::usleep(static_cast<useconds_t>(hold_us));
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
    toggles += CountToggles(display, window, gap_ms);
  }
  toggles += CountToggles(display, window, 500);
  std::printf("taps=%d toggles=%d\n", taps, toggles);
  XCloseDisplay(display);
  return 0;
}
