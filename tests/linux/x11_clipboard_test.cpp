// What only the X11 clipboard and key state do, on a private Xvfb: the program's own text, a
// text cut at its first NUL, pictures of up to 16384 pixels a side, repeats and keyboard layouts.
#include "platform/linux/x11/x11_clipboard.h"
#include "contract/contract.h"
#include "platform/dib.h"
#include "platform/linux/x11/x11_key_state.h"
#include "x_session.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <tuple>

namespace clipnest::linux_backend {
namespace {

namespace keycode = test_support::keycode;
using test_support::XSession;

// A PNG of one colour (0x4080C0); with `pixels` false only its header, with the size patched in,
// which is all a reader needs to tell the size.
std::string Png(int width, int height, bool pixels = true) {
  QImage image(pixels ? width : 1, pixels ? height : 1, QImage::Format_RGB888);
  image.fill(QColor(0x40, 0x80, 0xC0));
  QByteArray png;
  QBuffer buffer(&png);
  image.save(&buffer, "PNG");
  if (pixels) return png.toStdString();
  qToBigEndian<std::uint32_t>(width, png.data() + 16);
  qToBigEndian<std::uint32_t>(height, png.data() + 20);
  // The header's check sum, over its type and data.
  std::uint32_t crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {
    crc ^= static_cast<unsigned char>(png[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  qToBigEndian<std::uint32_t>(~crc, png.data() + 29);
  return png.toStdString();
}

std::pair<std::int32_t, std::int32_t> SizeOf(const Picture& picture) {
  std::int32_t size[2] = {0, 0};
  if (picture.dib.size() >= 12) std::memcpy(size, picture.dib.data() + 4, sizeof size);
  return {size[0], size[1]};
}

class X11Test : public ::testing::Test {
 protected:
  unsigned Query(int virtual_key) {
    return static_cast<std::uint16_t>(keys_.AsyncKeyState(virtual_key));
  }
  // Presses or releases the key, then waits until the key state has seen a Pause after it.
  void Key(int code, bool down) {
    x_.Key(code, down);
    const int pause[] = {virtual_key::kPause};
    x_.Keys({{keycode::kPause, true}, {keycode::kPause, false}});
    ASSERT_TRUE(test_support::RunEventsUntil([&] { return !keys_.Quiet(pause); }));
    Query(virtual_key::kPause);
  }

  XSession& x_ = XSession::Get();
  X11Clipboard clipboard_;
  X11KeyState keys_;
};

TEST_F(X11Test, OwnTextReadsAsAnotherProgramsOfferCutAtItsFirstNul) {
  const std::string text("Привет,\nмир\0tail", 24);
  ASSERT_TRUE(x_.OfferFromAnotherProgram("UTF8_STRING", text));
  const unsigned long other_program = x_.ClipboardOwner();
  EXPECT_EQ(clipboard_.Text(), "Привет,\nмир");
  // Read through X, the program's own text would wait on the program itself.
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), text.size()));
  EXPECT_NE(x_.ClipboardOwner(), other_program);
  EXPECT_EQ(clipboard_.Text(), "Привет,\nмир");
}

TEST_F(X11Test, PicturesOfUpTo16384PixelsASideAreReadLargerOnesRefusedUnread) {
  // Beyond the 128 MiB of pixels that Qt's readers allow by default.
  ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", Png(6000, 6000)));
  const Picture large = clipboard_.Image();
  EXPECT_EQ(SizeOf(large), std::make_pair(6000, 6000));
  ASSERT_GT(large.dib.size(), 43u);
  EXPECT_EQ(large.dib.substr(40, 3), "\xC0\x80\x40");  // the first pixel, blue green red
  // Every pixel in its place, bottom-up, with or without alpha (which is dropped).
  const std::uint32_t rows[2][3] = {{0x80102030u, 0xFF405060u, 0x00708090u},
                                    {0xFFA0B0C0u, 0x10D0E0F0u, 0xFF000001u}};
  for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
    QImage image(3, 2, format);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) image.setPixel(x, y, rows[y][x]);
    QByteArray png;
    QBuffer buffer(&png);
    image.save(&buffer, "PNG");
    ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", png.toStdString()));
    EXPECT_EQ(clipboard_.Image().dib, DibFromRows(3, 2, [&rows](int y) { return rows[y]; }).dib);
  }
  ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", Png(16384, 1)));
  EXPECT_EQ(SizeOf(clipboard_.Image()), std::make_pair(16384, 1));
  for (const std::string& png : {Png(16385, 1), Png(1, 16385), Png(16385, 16385, false)}) {
    ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", png));
    EXPECT_EQ(contract::ErrorOf([&] { clipboard_.Image(); }), int(ErrorNumber::kOutOfMemory));
  }
}

TEST_F(X11Test, ARepeatIsNoPressAndCIsTheKeyAtItsPlaceInTheLayout) {
  Key(keycode::kPlaceOfC, true);
  EXPECT_EQ(Query(virtual_key::kC), 0x8001u);
  Key(keycode::kPlaceOfC, true);  // a keyboard's repeat: raw presses without releases
  EXPECT_EQ(Query(virtual_key::kC), 0x8000u);
  Key(keycode::kPlaceOfC, false);
  // Without Latin letters, C is the key at its place; with other Latin layouts, where C is.
  for (const auto& [layout, code, seen] : {std::tuple{"ru", keycode::kPlaceOfC, 0x0001u},
                                           {"us -variant dvorak", keycode::kPlaceOfC, 0u},
                                           {"us -variant dvorak", keycode::kPlaceOfI, 0x0001u}}) {
    ASSERT_EQ(std::system(("setxkbmap " + std::string(layout)).c_str()), 0);
    Key(code, true);
    Key(code, false);
    EXPECT_EQ(Query(virtual_key::kC), seen) << layout << " " << code;
  }
  ASSERT_EQ(std::system("setxkbmap us"), 0);
  // A key it never reports could not wake a poller of it.
  const int a[] = {0x41};
  EXPECT_FALSE(keys_.Quiet(a));
}

}  // namespace
}  // namespace clipnest::linux_backend
