#pragma once

#include <windows.h>

#include <string>

namespace clipnest::win32 {

// Packed 24-bit DIBs (info header, then rows) drawn from the clipboard's other picture formats.
// Each returns the empty string when there is nothing usable, and throws RuntimeError
// (kOutOfMemory) for a picture larger than kLargestPictureSide on a side, before anything is
// allocated for it.

// A device-dependent bitmap read back as a 24-bit DIB.
std::string PackedDibOfBitmap(HBITMAP bitmap);
// A metafile drawn on white into a 24-bit DIB of its frame size.
std::string PackedDibOfEnhMetafile(HENHMETAFILE metafile);
std::string PackedDibOfMetafilePict(const METAFILEPICT& picture);

}  // namespace clipnest::win32
