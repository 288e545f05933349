// PrintScreen on a private Xvfb: the screen becomes the clipboard's picture while wanted, and the
// program's own clipboard reader reads it without waiting on itself.
#include "platform/linux/x11_system_screenshot.h"
#include "headless/dib_bytes.h"
#include "platform/dib.h"
#include "platform/linux/x11_clipboard.h"
#include "platform/linux/x11_key_state.h"
#include "x_session.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace clipnest::x11 {
namespace {

namespace keycode = test_support::keycode;
using test_support::RunEventsUntil;
using test_support::XSession;

constexpr std::uint32_t kScreenColour = 0x3366CC;

TEST(X11SystemScreenshotTest, PrintScreenOffersTheWholeScreenOnlyWhileWanted) {
  XSession& x = XSession::Get();
  x.FillScreen(kScreenColour);
  X11KeyState keys;
  X11SystemScreenshot screenshot(keys);
  X11Clipboard clipboard;
  bool wanted = false;
  screenshot.TakeAtPrintScreen([&] { return wanted; });
  const int print_screen[] = {virtual_key::kPrintScreen};
  const auto print = [&] {
    keys.AsyncKeyState(virtual_key::kPrintScreen);
    x.Keys({{keycode::kPrintScreen, true}, {keycode::kPrintScreen, false}});
    ASSERT_TRUE(RunEventsUntil([&] { return !keys.Quiet(print_screen); }));
  };

  ASSERT_TRUE(x.OfferFromAnotherProgram("UTF8_STRING", "before"));
  const unsigned long other_program = x.ClipboardOwner();
  print();
  EXPECT_EQ(x.ClipboardOwner(), other_program);
  EXPECT_EQ(clipboard.Text(), "before");

  wanted = true;
  bool owned_when_polled = false;
  keys.on_key_down = [&] { owned_when_polled = QGuiApplication::clipboard()->ownsClipboard(); };
  print();
  EXPECT_TRUE(owned_when_polled);
  EXPECT_NE(x.ClipboardOwner(), other_program);
  // Read through X, this would wait on the program itself and fail after a second.
  const std::string dib = clipboard.Image().dib;
  ASSERT_EQ(MeasureDib(dib).verdict, DibVerdict::kUsable);
  EXPECT_EQ(static_cast<int>(test_support::Get32(dib, 4)), XSession::kScreenWidth);
  EXPECT_EQ(static_cast<int>(test_support::Get32(dib, 8)), XSession::kScreenHeight);
  EXPECT_EQ(test_support::Pixel24(dib, 0, 0), kScreenColour);
  EXPECT_EQ(test_support::Pixel24(dib, XSession::kScreenWidth - 1, XSession::kScreenHeight - 1),
            kScreenColour);
  EXPECT_EQ(clipboard.Text(), "");
}

}  // namespace
}  // namespace clipnest::x11
