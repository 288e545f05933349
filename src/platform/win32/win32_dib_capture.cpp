#include "platform/win32/win32_dib_capture.h"

#include "platform/dib.h"
#include "platform/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace clipnest::win32 {
namespace {

// An old-style metafile larger than this is not played: it is already in memory once, and a copy
// of it is made to convert it.
constexpr UINT kLargestMetafile = 64u << 20;

// A 24-bit bottom-up DIB section with its packed form: header then rows.
class Dib24 {
 public:
  // The sides are checked by Drawable first.
  Dib24(int width, int height) {
    info_.biSize = sizeof info_;
    info_.biWidth = width;
    info_.biHeight = height;
    info_.biPlanes = 1;
    info_.biBitCount = 24;
    info_.biCompression = BI_RGB;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 24 + 31) / 32 * 4;
    info_.biSizeImage = static_cast<DWORD>(stride * static_cast<std::uint64_t>(height));
    BITMAPINFO info{};
    info.bmiHeader = info_;
    section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  }
  ~Dib24() {
    if (section_) DeleteObject(section_);
  }
  Dib24(const Dib24&) = delete;
  Dib24& operator=(const Dib24&) = delete;

  HBITMAP section() const { return section_; }
  std::string Packed() const {
    if (!section_) return {};
    GdiFlush();
    std::string dib(reinterpret_cast<const char*>(&info_), sizeof info_);
    dib.append(static_cast<const char*>(bits_), info_.biSizeImage);
    return dib;
  }

 private:
  BITMAPINFOHEADER info_{};
  HBITMAP section_ = nullptr;
  void* bits_ = nullptr;
};

// Whether a picture of this size can be drawn: not when a side is not positive; a side beyond
// the largest picture is refused outright.
bool Drawable(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return false;
  if (width > kLargestPictureSide || height > kLargestPictureSide)
    throw RuntimeError(ErrorNumber::kOutOfMemory);
  return true;
}

// value * numerator / denominator, rounded, for any 32-bit fields: worked out in floating point,
// where no product overflows; anything beyond the largest picture stays beyond it.
std::int64_t Scaled(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  const double scaled = static_cast<double>(value) * static_cast<double>(numerator) /
                        static_cast<double>(denominator);
  return scaled > kLargestPictureSide ? kLargestPictureSide + 1 : std::llround(scaled);
}

}  // namespace

std::string PackedDibOfBitmap(HBITMAP bitmap) {
  BITMAP description;
  if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) return {};
  if (!Drawable(description.bmWidth, description.bmHeight)) return {};
  Dib24 dib(description.bmWidth, description.bmHeight);
  if (!dib.section()) return {};
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HGDIOBJ old_source = SelectObject(source, bitmap);
  HGDIOBJ old_target = SelectObject(target, dib.section());
  BitBlt(target, 0, 0, description.bmWidth, description.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(target, old_target);
  SelectObject(source, old_source);
  DeleteDC(target);
  DeleteDC(source);
  ReleaseDC(nullptr, screen);
  return dib.Packed();
}

std::string PackedDibOfEnhMetafile(HENHMETAFILE metafile) {
  ENHMETAHEADER header;
  if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof header, &header)) return {};
  // The frame is in hundredths of a millimetre of the reference device; every field may hold
  // anything, so nothing is worked out in 32 bits.
  const std::int64_t frame_width = std::int64_t{header.rclFrame.right} - header.rclFrame.left;
  const std::int64_t frame_height = std::int64_t{header.rclFrame.bottom} - header.rclFrame.top;
  if (frame_width <= 0 || frame_height <= 0) return {};
  if (header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0 || header.szlDevice.cx <= 0 ||
      header.szlDevice.cy <= 0) {
    return {};
  }
  const std::int64_t width =
      Scaled(frame_width, header.szlDevice.cx, std::int64_t{header.szlMillimeters.cx} * 100);
  const std::int64_t height =
      Scaled(frame_height, header.szlDevice.cy, std::int64_t{header.szlMillimeters.cy} * 100);
  if (!Drawable(width, height)) return {};

  Dib24 dib(static_cast<int>(width), static_cast<int>(height));
  if (!dib.section()) return {};
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(target, dib.section());
  const RECT area{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(target, metafile, &area);
  SelectObject(target, old);
  DeleteDC(target);
  return dib.Packed();
}

std::string PackedDibOfMetafilePict(const METAFILEPICT& picture) {
  const UINT size = GetMetaFileBitsEx(picture.hMF, 0, nullptr);
  if (size == 0) return {};
  if (size > kLargestMetafile) throw RuntimeError(ErrorNumber::kOutOfMemory);
  std::vector<BYTE> bits(size);
  if (GetMetaFileBitsEx(picture.hMF, size, bits.data()) != size) return {};
  HENHMETAFILE metafile = SetWinMetaFileBits(size, bits.data(), nullptr, &picture);
  if (!metafile) return {};
  // The frame the conversion gives is checked like any other metafile's.
  struct Deleted {
    HENHMETAFILE metafile;
    ~Deleted() { DeleteEnhMetaFile(metafile); }
  } deleted{metafile};
  return PackedDibOfEnhMetafile(metafile);
}

}  // namespace clipnest::win32
