#include "platform/win32/win32_system_screenshot.h"

#include "platform/win32/win32_screen_capture.h"

namespace clipnest::win32 {

Win32SystemScreenshot::Win32SystemScreenshot()
    : owner_(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr)) {}

Win32SystemScreenshot::~Win32SystemScreenshot() {
  if (owner_) DestroyWindow(owner_);
}

void Win32SystemScreenshot::PrintScreenPressed(bool window_only) {
  // Where the system also answers the key (Windows 10, Windows 11 with its capture tool turned
  // off), it writes its own screenshot of this press at about this moment, before or after ours.
  // Whichever comes last stays, and both show the screen at this press: an older picture cannot
  // be left. A write after the capture began (the sequence number moved) is the system's, or a
  // copy the user made later still: it is kept rather than replaced by ours. When ours cannot be
  // had, the clipboard is emptied instead, so that the save finds no picture rather than the one
  // from before the press.
  const DWORD sequence = GetClipboardSequenceNumber();
  HGLOBAL dib = CaptureScreenDib(window_only);
  // Another program may hold the clipboard for a moment: try for about 100 ms.
  bool opened = false;
  for (int attempt = 0; attempt < 10 && !(opened = OpenClipboard(owner_)); ++attempt) Sleep(10);
  if (opened) {
    if (GetClipboardSequenceNumber() == sequence && EmptyClipboard() && dib &&
        SetClipboardData(CF_DIB, dib))
      dib = nullptr;  // the clipboard's now
    CloseClipboard();
  }
  if (dib) GlobalFree(dib);
}

}  // namespace clipnest::win32
