#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace clipnest::win32 {

// Packed DIBs (info header, masks, palette, rows) from what the clipboard holds. Each returns
// the empty string when there is nothing usable.

// The DIB bytes cut to the header's own size (a global block may be rounded up).
std::string TrimmedPackedDib(const char* data, std::size_t available);
// A device-dependent bitmap read back as a 24-bit DIB.
std::string PackedDibOfBitmap(HBITMAP bitmap);
// A metafile drawn on white into a 24-bit DIB of its frame size.
std::string PackedDibOfEnhMetafile(HENHMETAFILE metafile);
std::string PackedDibOfMetafilePict(const METAFILEPICT& picture);

}  // namespace clipnest::win32
