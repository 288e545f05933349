#pragma once

#include "platform/clipboard.h"
#include "platform/linux/x11/x11_selection.h"

namespace clipnest::linux_backend {

// The clipboard of X11: asks the owner which formats it offers and fetches only the one
// needed, text as UTF-8 and pictures in any format Qt can decode. When the owner is the program
// itself, the same text and picture come straight from what it offered.
class X11Clipboard : public Clipboard {
 public:
  std::string Text() override;
  Picture Image() override;

 private:
  X11Selection selection_;
};

}  // namespace clipnest::linux_backend
