#pragma once

#include "forms/colour.h"
#include "platform/picture.h"

#include <QImage>

#include <string>

namespace clipnest {

// A compiled-in picture by its resource name, with the pixels of the transparent colour made
// fully transparent. Loaded once and kept; a null image when there is no such picture.
const QImage& ResourcePicture(const std::string& name, OleColour transparent_colour);

// A picture the program holds (a packed DIB) as an image; null when it is empty or broken.
QImage PictureImage(const Picture& picture);

}  // namespace clipnest
