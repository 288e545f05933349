#pragma once

#include "forms/colour.h"

#include <QImage>

#include <string>

namespace clipnest::linux_backend {

// A compiled-in picture by its resource name, with the pixels of the transparent colour made
// fully transparent. Loaded once and kept; a null image when there is no such picture.
const QImage& ResourcePicture(const std::string& name, OleColour transparent_colour);

}  // namespace clipnest::linux_backend
