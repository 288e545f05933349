#pragma once

#include "platform/system_screenshot.h"

#include <windows.h>

namespace clipnest::win32 {

// The PrintScreen screenshot, taken by the program: Windows 11 opens its capture tool on the key
// instead, and Wine takes none. The poller hears the key (no other key event reaches a program
// that has not the focus) and asks for it once per press; the picture goes onto the clipboard,
// as the system's would, for the user and for the poller's save.
class Win32SystemScreenshot : public SystemScreenshot {
 public:
  Win32SystemScreenshot();
  ~Win32SystemScreenshot() override;
  Win32SystemScreenshot(const Win32SystemScreenshot&) = delete;
  Win32SystemScreenshot& operator=(const Win32SystemScreenshot&) = delete;

  // No other key event reaches a program without the focus: the poller tells of each press.
  void TakeAtPrintScreen(std::function<bool()>) override {}
  void PrintScreenPressed(bool window_only) override;

 private:
  HWND owner_;  // a message-only window: the clipboard's owner after a screenshot
};

}  // namespace clipnest::win32
