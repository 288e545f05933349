#pragma once

#include "platform/key_state.h"
#include "platform/system_screenshot.h"

namespace clipnest::win32 {

// The system's global key state. It cannot wake a poller: the poller keeps ticking.
class Win32KeyState : public KeyState {
 public:
  std::int16_t AsyncKeyState(int virtual_key) override;
};

// Windows puts a screenshot on the clipboard at every PrintScreen by itself.
class Win32SystemScreenshot : public SystemScreenshot {
 public:
  void TakeAtPrintScreen(std::function<bool()>) override {}
};

}  // namespace clipnest::win32
