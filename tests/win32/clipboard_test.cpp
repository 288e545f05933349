// The real clipboard: the test puts each format there itself, as another program would.
#include "platform/win32/win32_clipboard.h"

#include "headless/dib_bytes.h"
#include "platform/dib.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace clipnest {
namespace {

using test_support::Get32;
using test_support::InfoHeader;
using test_support::Pixel24;
using test_support::Put16;
using test_support::Put32;

// 2 x 2 pixels of 24 bits, bottom-up, each row padded to four bytes.
std::string TwoByTwo24Bit() {
  return InfoHeader(2, 2, 24, BI_RGB) +
         std::string("\xFF\0\0\xFF\xFF\xFF\0\0\0\0\xFF\0\xFF\0\0\0", 16);
}

// 2 x 2 pixels of 5-6-5 bit fields, top-down: the masks come between the header and the pixels.
std::string TwoByTwo16BitFields() {
  std::string dib = InfoHeader(2, -2, 16, BI_BITFIELDS);
  for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) Put32(dib, mask);
  for (std::uint16_t pixel : {0xF800, 0x07E0, 0x001F, 0xFFFF}) Put16(dib, pixel);
  return dib;
}

// A global memory block with the bytes, larger than they are, as blocks may be rounded up.
HGLOBAL GlobalBlockOf(const std::string& bytes, std::size_t slack = 0) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + slack);
  auto* data = static_cast<char*>(GlobalLock(block));
  std::memcpy(data, bytes.data(), bytes.size());
  std::memset(data + bytes.size(), 0xAB, slack);
  GlobalUnlock(block);
  return block;
}

class Win32ClipboardTest : public ::testing::Test {
 protected:
  Win32ClipboardTest() { Offer(0, nullptr); }
  ~Win32ClipboardTest() override { Offer(0, nullptr); }

  // Empties the clipboard and puts one format there (none when `format` is 0).
  static void Offer(UINT format, HANDLE data) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (format != 0) {
      EXPECT_TRUE(SetClipboardData(format, data));
    }
    CloseClipboard();
  }
  static void OfferText(const wchar_t* text) {
    const std::wstring wide(text);
    Offer(CF_UNICODETEXT, GlobalBlockOf(std::string(reinterpret_cast<const char*>(wide.c_str()),
                                                    (wide.size() + 1) * sizeof(wchar_t))));
  }

  win32::Win32Clipboard clipboard_;
};

TEST_F(Win32ClipboardTest, TextComesBackAsUtf8AndWhatIsNotOnTheClipboardIsEmpty) {
  EXPECT_EQ(clipboard_.Text(), "");
  EXPECT_TRUE(clipboard_.Image().empty());
  OfferText(L"Привет\r\nмир ✓");
  EXPECT_EQ(clipboard_.Text(), "Привет\r\nмир ✓");
  EXPECT_TRUE(clipboard_.Image().empty());
  Offer(CF_DIB, GlobalBlockOf(TwoByTwo24Bit()));
  EXPECT_EQ(clipboard_.Text(), "");
}

TEST_F(Win32ClipboardTest, DibsComeBackByteForByteFromBlocksLargerThanThem) {
  for (const std::string& dib : {TwoByTwo24Bit(), TwoByTwo16BitFields()}) {
    Offer(CF_DIB, GlobalBlockOf(dib, 16));
    EXPECT_EQ(clipboard_.Image().dib, dib);
  }
}

TEST_F(Win32ClipboardTest, AMetafileIsDrawnOnWhiteAtItsFrameSize) {
  // A frame of 80 x 40 pixels of the screen, in hundredths of a millimetre.
  HDC screen = GetDC(nullptr);
  const int pixels_x = GetDeviceCaps(screen, HORZRES), mm_x = GetDeviceCaps(screen, HORZSIZE);
  const int pixels_y = GetDeviceCaps(screen, VERTRES), mm_y = GetDeviceCaps(screen, VERTSIZE);
  ReleaseDC(nullptr, screen);
  const RECT frame{0, 0, MulDiv(80, mm_x * 100, pixels_x), MulDiv(40, mm_y * 100, pixels_y)};
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT middle{20, 10, 60, 30};
  FillRect(recorder, &middle, red);
  DeleteObject(red);
  Offer(CF_ENHMETAFILE, CloseEnhMetaFile(recorder));

  const std::string dib = clipboard_.Image().dib;
  ASSERT_EQ(MeasureDib(dib).verdict, DibVerdict::kUsable);  // a 24-bit DIB of the program's own
  const int width = static_cast<int>(Get32(dib, 4));
  const int height = static_cast<int>(Get32(dib, 8));
  EXPECT_NEAR(width, 80, 1);
  EXPECT_NEAR(height, 40, 1);
  EXPECT_EQ(Pixel24(dib, width / 2, height / 2), 0xFF0000u);  // red
  EXPECT_EQ(Pixel24(dib, 2, 2), 0xFFFFFFu);
}

// The error number that reading the picture throws; kNone when it throws none.
ErrorNumber ImageError(Clipboard& clipboard) {
  try {
    clipboard.Image();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return ErrorNumber::kNone;
}

TEST_F(Win32ClipboardTest, PicturesLargerThan16384PixelsASideAreRefusedSilently) {
  // Only the header: the rows it announces are never looked for.
  Offer(CF_DIB, GlobalBlockOf(InfoHeader(16385, 1, 24, BI_RGB)));
  EXPECT_EQ(ImageError(clipboard_), ErrorNumber::kOutOfMemory);
  Offer(CF_DIB, GlobalBlockOf(InfoHeader(1, -0x7FFFFFFF, 32, BI_RGB)));
  EXPECT_EQ(ImageError(clipboard_), ErrorNumber::kOutOfMemory);

  Offer(CF_BITMAP, CreateBitmap(16385, 1, 1, 32, nullptr));
  EXPECT_EQ(ImageError(clipboard_), ErrorNumber::kOutOfMemory);

  // A metafile whose frame is 100 metres wide.
  const RECT frame{0, 0, 10'000'000, 1000};
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  Offer(CF_ENHMETAFILE, CloseEnhMetaFile(recorder));
  EXPECT_EQ(ImageError(clipboard_), ErrorNumber::kOutOfMemory);

  Offer(CF_DIB, GlobalBlockOf(TwoByTwo24Bit()));
  EXPECT_EQ(ImageError(clipboard_), ErrorNumber::kNone);
}

// The error number that `read` throws on a thread of its own; 0 when it throws none.
DWORD ErrorNumberOnAnotherThread(void (*read)(Clipboard&)) {
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID parameter) -> DWORD {
        win32::Win32Clipboard clipboard;
        try {
          reinterpret_cast<void (*)(Clipboard&)>(parameter)(clipboard);
        } catch (const RuntimeError& error) {
          return static_cast<DWORD>(error.number());
        }
        return 0;
      },
      reinterpret_cast<LPVOID>(read), 0, nullptr);
  if (!thread) return ~DWORD{0};
  WaitForSingleObject(thread, INFINITE);
  DWORD number = ~DWORD{0};
  GetExitCodeThread(thread, &number);
  CloseHandle(thread);
  return number;
}

TEST_F(Win32ClipboardTest, AClipboardHeldByAnotherWindowCannotBeOpened) {
  OfferText(L"held");
  // The window of another program that keeps the clipboard open.
  HWND holder =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(holder, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  const DWORD text_error =
      ErrorNumberOnAnotherThread([](Clipboard& clipboard) { clipboard.Text(); });
  const DWORD image_error =
      ErrorNumberOnAnotherThread([](Clipboard& clipboard) { clipboard.Image(); });
  CloseClipboard();
  DestroyWindow(holder);

  EXPECT_EQ(text_error, static_cast<DWORD>(ErrorNumber::kCantOpenClipboard));
  EXPECT_EQ(image_error, static_cast<DWORD>(ErrorNumber::kCantOpenClipboard));
  // Once the other program lets go, reading works again.
  EXPECT_EQ(clipboard_.Text(), "held");
}

}  // namespace
}  // namespace clipnest
