#pragma once

#include "platform/picture.h"

#include <string>

namespace clipnest {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard text as UTF-8; the empty text when it holds none. Throws RuntimeError when
  // the clipboard cannot be read.
  virtual std::string Text() = 0;
  // Whichever picture the clipboard offers; an empty picture when it holds none. Throws
  // RuntimeError when the clipboard cannot be read.
  virtual Picture Image() = 0;
};

}  // namespace clipnest
