#pragma once

// The clipboard as another program fills it.

#include <windows.h>

#include <cstring>
#include <string>

namespace clipnest::test_support {

// A global memory block with the bytes, larger than they are, as blocks may be rounded up.
inline HGLOBAL GlobalBlockOf(const std::string& bytes, std::size_t slack = 0) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + slack);
  auto* data = static_cast<char*>(GlobalLock(block));
  std::memcpy(data, bytes.data(), bytes.size());
  std::memset(data + bytes.size(), 0xAB, slack);
  GlobalUnlock(block);
  return block;
}

// Empties the clipboard and puts one format there (none when `format` is 0).
inline void Offer(UINT format, HANDLE data) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (format != 0) SetClipboardData(format, data);
  CloseClipboard();
}

inline void OfferText(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  Offer(CF_UNICODETEXT, GlobalBlockOf(std::string(reinterpret_cast<const char*>(wide.c_str()),
                                                  (wide.size() + 1) * sizeof(wchar_t))));
}

}  // namespace clipnest::test_support
