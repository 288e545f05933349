#pragma once

#include <functional>

namespace clipnest {

// The screenshot that PrintScreen puts on the clipboard, which the hotkey poller then saves. Not
// every system takes it: where the system does not, the platform takes it at the press and
// offers it as the clipboard's picture, before the poller's save reads the clipboard.
class SystemScreenshot {
 public:
  virtual ~SystemScreenshot() = default;
  // For a platform that hears the key itself before any poller can: take the whole screen at
  // each press for as long as `wanted` says so.
  virtual void TakeAtPrintScreen(std::function<bool()> wanted) = 0;
  // The poller's word, once per press of PrintScreen while the option is on, before its save:
  // take the screen, or with `window_only` (Alt was down too) the foreground window. A platform
  // that heard the press itself has taken it already and does nothing here.
  virtual void PrintScreenPressed(bool window_only) = 0;
};

}  // namespace clipnest
