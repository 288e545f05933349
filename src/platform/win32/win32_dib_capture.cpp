#include "platform/win32/win32_dib_capture.h"

#include "platform/dib.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace clipnest::win32 {
namespace {

std::size_t RowStride(int width, int bits_per_pixel) {
  return ((static_cast<std::size_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

// A 24-bit bottom-up DIB section with its packed form: header then rows.
class Dib24 {
 public:
  Dib24(int width, int height) {
    info_.biSize = sizeof info_;
    info_.biWidth = width;
    info_.biHeight = height;
    info_.biPlanes = 1;
    info_.biBitCount = 24;
    info_.biCompression = BI_RGB;
    info_.biSizeImage = static_cast<DWORD>(RowStride(width, 24) * height);
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

// Keeps pictures of absurd sizes from exhausting memory.
bool SensibleSize(long width, long height) {
  return width > 0 && height > 0 && width <= 32767 && height <= 32767;
}

}  // namespace

std::string TrimmedPackedDib(const char* data, std::size_t available) {
  const std::string_view whole(data, available);
  const std::optional<std::size_t> pixel_offset = DibPixelOffset(whole);
  if (!pixel_offset || *pixel_offset > available) return {};
  BITMAPINFOHEADER header;
  if (available < sizeof header) return {};
  std::memcpy(&header, data, sizeof header);

  const long height = header.biHeight < 0 ? -static_cast<long>(header.biHeight) : header.biHeight;
  std::size_t size = *pixel_offset;
  if (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS)
    size += RowStride(header.biWidth, header.biBitCount) * static_cast<std::size_t>(height);
  else
    size += header.biSizeImage;
  if (size > available) return {};
  return std::string(data, size);
}

std::string PackedDibOfBitmap(HBITMAP bitmap) {
  BITMAP description;
  if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) return {};
  if (!SensibleSize(description.bmWidth, description.bmHeight)) return {};
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
  // The frame is in hundredths of a millimetre of the reference device.
  const long frame_width = header.rclFrame.right - header.rclFrame.left;
  const long frame_height = header.rclFrame.bottom - header.rclFrame.top;
  if (header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0) return {};
  const long width = MulDiv(frame_width, header.szlDevice.cx, header.szlMillimeters.cx * 100);
  const long height = MulDiv(frame_height, header.szlDevice.cy, header.szlMillimeters.cy * 100);
  if (!SensibleSize(width, height)) return {};

  Dib24 dib(width, height);
  if (!dib.section()) return {};
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(target, dib.section());
  const RECT area{0, 0, width, height};
  FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(target, metafile, &area);
  SelectObject(target, old);
  DeleteDC(target);
  return dib.Packed();
}

std::string PackedDibOfMetafilePict(const METAFILEPICT& picture) {
  const UINT size = GetMetaFileBitsEx(picture.hMF, 0, nullptr);
  if (size == 0) return {};
  std::vector<BYTE> bits(size);
  GetMetaFileBitsEx(picture.hMF, size, bits.data());
  HENHMETAFILE metafile = SetWinMetaFileBits(size, bits.data(), nullptr, &picture);
  if (!metafile) return {};
  std::string dib = PackedDibOfEnhMetafile(metafile);
  DeleteEnhMetaFile(metafile);
  return dib;
}

}  // namespace clipnest::win32
