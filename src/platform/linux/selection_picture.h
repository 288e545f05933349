#pragma once

#include <QImage>

#include <string>

namespace clipnest {

// The widest and tallest picture the program saves, in pixels.
inline constexpr int kLargestPictureSide = 16384;

// The picture in the bytes of a picture target, in any format Qt reads; a null image when they
// hold none. A picture wider or taller than the largest side throws
// RuntimeError(kCantOpenClipboard) before its pixels are allocated, when its header tells.
QImage ReadSelectionPicture(const std::string& bytes);

}  // namespace clipnest
