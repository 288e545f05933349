#pragma once

#include "platform/clipboard.h"

namespace clipnest::win32 {

class Win32Clipboard : public Clipboard {
 public:
  std::string Text() override;
  // A packed DIB as the clipboard holds it; else a bitmap or a metafile drawn into a 24-bit DIB.
  // Every size in them is checked first (see platform/dib.h): a broken picture is no picture, a
  // too large one throws RuntimeError(kOutOfMemory).
  Picture Image() override;
};

}  // namespace clipnest::win32
