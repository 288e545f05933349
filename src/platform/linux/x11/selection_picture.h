#pragma once

#include "platform/dib.h"

#include <QImage>

#include <string>

namespace clipnest::linux_backend {

// The picture in the bytes of a picture target, in any format Qt reads, as the program's 24-bit
// DIB; the empty picture when they hold none. A picture wider or taller than the largest side the
// program saves throws RuntimeError(kOutOfMemory), as the DIB of such a picture does, before its
// pixels are allocated when its header tells its size.
Picture ReadSelectionPicture(std::string bytes);

// The 24-bit DIB of a decoded picture; alpha is dropped.
Picture PictureOfImage(QImage image);

}  // namespace clipnest::linux_backend
