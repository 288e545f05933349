// What only the Windows clipboard has: its picture formats, pictures too large to make, and a
// clipboard that another window holds open.
#include "platform/win32/win32_clipboard.h"

#include "contract/contract.h"
#include "headless/dib_bytes.h"
#include "platform/dib.h"
#include "win32_helpers.h"

namespace clipnest {
namespace {

using contract::ErrorOf;
using namespace test_support;

class Win32ClipboardTest : public ::testing::Test {
 protected:
  ~Win32ClipboardTest() override { Offer(0, nullptr); }
  win32::Win32Clipboard clipboard_;
};

TEST_F(Win32ClipboardTest, DibsComeBackByteForByteFromBlocksLargerThanThem) {
  // 2 x 2 pixels of 5-6-5 bit fields, top-down: the masks come between the header and the pixels.
  std::string fields = InfoHeader(2, -2, 16, BI_BITFIELDS);
  for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) Put32(fields, mask);
  for (std::uint16_t pixel : {0xF800, 0x07E0, 0x001F, 0xFFFF}) Put32(fields, pixel, 2);
  const std::string rgb = InfoHeader(1, 1, 24, BI_RGB) + std::string("\x01\x02\x03\0", 4);
  for (const std::string& dib : {rgb, fields}) {
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
  ASSERT_EQ(MeasureDib(dib).verdict, DibVerdict::kUsable);
  const int width = static_cast<int>(Get32(dib, 4)), height = static_cast<int>(Get32(dib, 8));
  EXPECT_NEAR(width, 80, 1);
  EXPECT_NEAR(height, 40, 1);
  EXPECT_EQ(Pixel24(dib, width / 2, height / 2), 0xFF0000u);
  EXPECT_EQ(Pixel24(dib, 2, 2), 0xFFFFFFu);
}

TEST_F(Win32ClipboardTest, PicturesLargerThan16384PixelsASideAreRefusedSilently) {
  // The DIBs are only a header: the rows they announce are never looked for.
  const RECT frame{0, 0, 10'000'000, 1000};  // a metafile 100 metres wide
  for (auto [format, data] : std::initializer_list<std::pair<UINT, HANDLE>>{
           {CF_DIB, GlobalBlockOf(InfoHeader(16385, 1, 24, BI_RGB))},
           {CF_DIB, GlobalBlockOf(InfoHeader(1, -0x7FFFFFFF, 32, BI_RGB))},
           {CF_BITMAP, CreateBitmap(16385, 1, 1, 32, nullptr)},
           {CF_ENHMETAFILE,
            CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr))}}) {
    Offer(format, data);
    EXPECT_EQ(ErrorOf([&] { clipboard_.Image(); }), 7) << format;
  }
}

TEST_F(Win32ClipboardTest, AClipboardHeldByAnotherWindowCannotBeOpened) {
  OfferText("held");
  HWND holder =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  // The reader on a thread of its own, as the clipboard is held per thread.
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID) -> DWORD {
        win32::Win32Clipboard clipboard;
        return ErrorOf([&] { clipboard.Text(); }) * 1000 + ErrorOf([&] { clipboard.Image(); });
      },
      nullptr, 0, nullptr);
  WaitForSingleObject(thread, 10000);
  DWORD errors = 0;
  GetExitCodeThread(thread, &errors);
  CloseHandle(thread);
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_EQ(errors, 521u * 1000 + 521u);
  EXPECT_EQ(clipboard_.Text(), "held");  // once the other program lets go
}

}  // namespace
}  // namespace clipnest
