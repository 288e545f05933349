#include "platform/win32/win32_clipboard.h"

#include "platform/dib.h"
#include "platform/runtime_error.h"
#include "platform/win32/win32_dib_capture.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

namespace clipnest::win32 {
namespace {

// Another program may hold the clipboard for a moment: try for about 100 ms.
class OpenedClipboard {
 public:
  OpenedClipboard() {
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (OpenClipboard(nullptr)) return;
      Sleep(10);
    }
    throw RuntimeError(ErrorNumber::kCantOpenClipboard);
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// The bytes of a global memory block while it is locked.
class LockedGlobal {
 public:
  explicit LockedGlobal(HANDLE memory) : memory_(memory) {
    if (memory_) data_ = GlobalLock(memory_);
    if (data_) size_ = GlobalSize(memory_);
  }
  ~LockedGlobal() {
    if (data_) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;

  const void* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  HANDLE memory_;
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

Picture PackedDibOf(UINT format) {
  LockedGlobal block(GetClipboardData(format));
  if (!block.data()) return {};
  // The block may be longer than the picture; the picture is checked against the block.
  return PictureOfPackedDib(std::string_view(static_cast<const char*>(block.data()), block.size()));
}

Picture BitmapOfClipboard() {
  return Picture{PackedDibOfBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))};
}

Picture MetafileOfClipboard() {
  if (IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
    return Picture{
        PackedDibOfEnhMetafile(static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE)))};
  }
  LockedGlobal block(GetClipboardData(CF_METAFILEPICT));
  if (!block.data() || block.size() < sizeof(METAFILEPICT)) return {};
  const auto* picture = static_cast<const METAFILEPICT*>(block.data());
  return Picture{PackedDibOfMetafilePict(*picture)};
}

}  // namespace

std::string Win32Clipboard::Text() {
  OpenedClipboard clipboard;
  LockedGlobal block(GetClipboardData(CF_UNICODETEXT));
  if (!block.data()) return {};
  const auto* text = static_cast<const wchar_t*>(block.data());
  const std::size_t capacity = block.size() / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  return Narrow(std::wstring_view(text, length));
}

Picture Win32Clipboard::Image() {
  OpenedClipboard clipboard;
  // The plain DIB first: every reader of bitmap files takes its short header. A broken picture
  // in one format leaves the next to try; one too large in any format is refused outright.
  for (UINT format : {UINT{CF_DIB}, UINT{CF_DIBV5}}) {
    if (!IsClipboardFormatAvailable(format)) continue;
    if (Picture picture = PackedDibOf(format); !picture.empty()) return picture;
  }
  if (IsClipboardFormatAvailable(CF_BITMAP)) {
    if (Picture picture = BitmapOfClipboard(); !picture.empty()) return picture;
  }
  if (IsClipboardFormatAvailable(CF_ENHMETAFILE) || IsClipboardFormatAvailable(CF_METAFILEPICT))
    return MetafileOfClipboard();
  return {};
}

}  // namespace clipnest::win32
