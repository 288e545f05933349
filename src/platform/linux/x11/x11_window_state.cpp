#include "platform/linux/x11/x11_window_state.h"

#include <QGuiApplication>

// Xlib's macros (Bool, Status, None...) clash with Qt's names: Xlib comes after Qt.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace clipnest::linux_backend {
namespace {

Display* QtDisplay() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

std::vector<Atom> CurrentStates(Display* display, Window window, Atom net_wm_state) {
  std::vector<Atom> states;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, net_wm_state, 0, 1024, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success &&
      type == XA_ATOM && format == 32 && data) {
    // Xlib hands 32-bit items over as longs.
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    states.assign(atoms, atoms + count);
  }
  if (data) XFree(data);
  return states;
}

}  // namespace

void AddNetWmStates(unsigned long window, std::initializer_list<const char*> states) {
  Display* display = QtDisplay();
  if (!display) return;
  const Atom net_wm_state = XInternAtom(display, "_NET_WM_STATE", False);
  std::vector<Atom> atoms = CurrentStates(display, window, net_wm_state);
  for (const char* name : states) {
    const Atom atom = XInternAtom(display, name, False);
    if (std::find(atoms.begin(), atoms.end(), atom) == atoms.end()) atoms.push_back(atom);
  }
  XChangeProperty(display, window, net_wm_state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
  XFlush(display);
}

void SetFixedToolWindowHints(unsigned long window) {
  Display* display = QtDisplay();
  if (!display) return;
  constexpr long kFunctions = 1L << 0, kDecorations = 1L << 1;  // which fields count
  constexpr long kFunctionMove = 1L << 2, kFunctionClose = 1L << 5;
  constexpr long kDecorationBorder = 1L << 1, kDecorationTitle = 1L << 3;
  const long hints[5] = {kFunctions | kDecorations, kFunctionMove | kFunctionClose,
                         kDecorationBorder | kDecorationTitle, 0, 0};
  const Atom motif_hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, window, motif_hints, motif_hints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
  const Atom types[] = {XInternAtom(display, "_NET_WM_WINDOW_TYPE_TOOLBAR", False),
                        XInternAtom(display, "_NET_WM_WINDOW_TYPE_UTILITY", False)};
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(types), 2);
  XFlush(display);
}

std::optional<FrameExtents> ExpectedFrameExtents(unsigned long window) {
  Display* display = QtDisplay();
  if (!display) return std::nullopt;
  const Atom extents_atom = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display);
  // The window manager answers with the property; a window manager that does not know the
  // request never does, so the wait is short.
  for (int attempt = 0; attempt < 20; ++attempt) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool got = XGetWindowProperty(display, window, extents_atom, 0, 4, False, XA_CARDINAL,
                                        &type, &format, &count, &after, &data) == Success &&
                     type == XA_CARDINAL && format == 32 && count == 4 && data;
    std::optional<FrameExtents> extents;
    if (got) {
      const auto* values = reinterpret_cast<const long*>(data);
      extents = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                             static_cast<int>(values[2]), static_cast<int>(values[3])};
    }
    if (data) XFree(data);
    if (extents) return extents;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::nullopt;
}

std::optional<std::pair<int, int>> ScreenPositionOf(unsigned long window) {
  Display* display = QtDisplay();
  if (!display) return std::nullopt;
  int x = 0;
  int y = 0;
  Window child = None;
  if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
    return std::nullopt;
  return std::make_pair(x, y);
}

}  // namespace clipnest::linux_backend
