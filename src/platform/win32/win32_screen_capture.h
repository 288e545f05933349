#pragma once

#include <windows.h>

namespace clipnest::win32 {

// What the system's own PrintScreen puts on the clipboard, taken now: the whole virtual screen
// (every monitor), or with `window_only` the foreground window, in the monitors' physical
// pixels. A packed 24-bit bottom-up DIB in a movable global block, for CF_DIB; null when there is
// no such picture (a side not positive or beyond the largest picture, memory or the screen
// refused).
HGLOBAL CaptureScreenDib(bool window_only);

}  // namespace clipnest::win32
