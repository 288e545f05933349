#pragma once

#include "forms/colour.h"

#include <windows.h>

namespace clipnest::win32 {

// A GDI colour: a system colour resolved through the user's scheme, else the value as it is.
inline COLORREF ColourRef(OleColour colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

}  // namespace clipnest::win32
