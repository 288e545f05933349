#pragma once

#include "platform/clipboard.h"

namespace clipnest::win32 {

class Win32Clipboard : public Clipboard {
 public:
  std::string Text() override;
  // A packed DIB as the clipboard holds it; else a bitmap or a metafile drawn into a 24-bit DIB.
  Picture Image() override;
};

}  // namespace clipnest::win32
