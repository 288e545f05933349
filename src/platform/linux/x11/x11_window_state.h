#pragma once

#include <initializer_list>
#include <optional>
#include <utility>

namespace clipnest::linux_backend {

// The window manager's extended states (_NET_WM_STATE) of the program's own top-level windows,
// set through Qt's X connection. Windows are X window ids.

// Adds states to a window that is not mapped: the window manager reads them when it maps it.
void AddNetWmStates(unsigned long window, std::initializer_list<const char*> states);

// Asks the window manager for a title bar with the caption and a close box only (no window
// menu, no minimise or maximise button) and a frame that cannot be resized: through the Motif
// hints, and as a tool window of the toolbar kind first (window managers that keep minimise
// buttons on utility windows drop them there), of the utility kind for the others. Read when
// the window manager maps the window.
void SetFixedToolWindowHints(unsigned long window);

// The widths of the frame that the window manager will put around a window that is not mapped
// yet: left, right, top, bottom. Asked of the window manager and awaited a moment at most;
// nothing when it does not tell.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};
std::optional<FrameExtents> ExpectedFrameExtents(unsigned long window);

// Where a window's top-left corner is on the screen now, as the X server has it.
std::optional<std::pair<int, int>> ScreenPositionOf(unsigned long window);

}  // namespace clipnest::linux_backend
