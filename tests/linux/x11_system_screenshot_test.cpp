// PrintScreen on a private Xvfb: the screen becomes the clipboard's picture only while wanted.
#include "platform/linux/x11/x11_system_screenshot.h"
#include "platform/linux/x11/x11_clipboard.h"
#include "platform/linux/x11/x11_key_state.h"
#include "x_session.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace clipnest::linux_backend {
namespace {

namespace keycode = test_support::keycode;
using test_support::RunEventsUntil;
using test_support::XSession;

TEST(X11SystemScreenshotTest, PrintScreenOffersTheWholeScreenOnlyWhileWanted) {
  XSession& x = XSession::Get();
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

  // Wanted: the program owns the clipboard by the time the poller hears of the key. (Its picture
  // is the whole screen: the end-to-end PrintScreen scenario reads it from the saved file.)
  wanted = true;
  bool owned_when_polled = false;
  keys.on_key_down = [&] { owned_when_polled = QGuiApplication::clipboard()->ownsClipboard(); };
  print();
  EXPECT_TRUE(owned_when_polled);
  EXPECT_NE(x.ClipboardOwner(), other_program);
}

}  // namespace
}  // namespace clipnest::linux_backend
