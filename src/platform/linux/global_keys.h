#pragma once

#include "platform/key_state.h"
#include "platform/system_screenshot.h"

#include <memory>

namespace clipnest::linux_backend {

// The global keys and the PrintScreen screenshot of this session. X11 sessions read the keys
// from XInput 2 and the screen from the root window. A Wayland session hands keys and screen
// only to the desktop portal: there the portal serves both, and where it cannot give the keys,
// XInput 2 reads them while one of the program's windows has the focus.
struct GlobalKeys {
  std::unique_ptr<KeyState> keys;
  std::unique_ptr<SystemScreenshot> screenshot;
};

// Chooses by the session the program runs in. Call it after the QApplication is made.
GlobalKeys SessionGlobalKeys();

}  // namespace clipnest::linux_backend
