#pragma once

#include <functional>

namespace clipnest {

// The screenshot that PrintScreen puts on the clipboard. Windows does this itself at every
// press; where the system does not, the platform takes the whole screen at the press and offers
// it as the clipboard's picture, before any poller of the key can see the press, for as long as
// `wanted` says so.
class SystemScreenshot {
 public:
  virtual ~SystemScreenshot() = default;
  virtual void TakeAtPrintScreen(std::function<bool()> wanted) = 0;
};

}  // namespace clipnest
