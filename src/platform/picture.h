#pragma once

#include <cstdint>
#include <string>

namespace clipnest {

// A raster picture as a packed device-independent bitmap: the info header, any colour masks or
// palette, then the pixel rows, exactly as a BMP file holds them after its file header.
struct Picture {
  std::string dib;
  bool empty() const { return dib.empty(); }
};

}  // namespace clipnest
