// The program's clipboard reader on a private Xvfb: what the program offers itself reads as the
// same text or picture offered by another program does, and without waiting on itself.
#include "platform/linux/x11_clipboard.h"
#include "x_session.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace clipnest {
namespace {

using test_support::XSession;

class X11ClipboardTest : public ::testing::Test {
 protected:
  XSession& x_ = XSession::Get();
  QClipboard* qt_clipboard_ = QGuiApplication::clipboard();
  X11Clipboard clipboard_;
};

TEST_F(X11ClipboardTest, OwnTextAndPictureReadAsAnotherProgramsOffer) {
  const std::string text("Привет,\nмир\0tail", 24);
  ASSERT_TRUE(x_.OfferFromAnotherProgram("UTF8_STRING", text));
  const unsigned long other_program = x_.ClipboardOwner();
  const std::string through_x = clipboard_.Text();
  EXPECT_EQ(through_x, "Привет,\nмир");
  qt_clipboard_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  EXPECT_NE(x_.ClipboardOwner(), other_program);
  EXPECT_EQ(clipboard_.Text(), through_x);
  EXPECT_TRUE(clipboard_.Image().empty());

  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(0x33, 0x66, 0xCC, 0x80));
  picture.setPixel(1, 0, qRgb(0xFF, 0, 0));
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(picture.save(&buffer, "PNG"));
  ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", png.toStdString()));
  const unsigned long picture_program = x_.ClipboardOwner();
  const Picture through_x_picture = clipboard_.Image();
  ASSERT_FALSE(through_x_picture.empty());
  qt_clipboard_->setImage(picture);
  EXPECT_NE(x_.ClipboardOwner(), picture_program);
  EXPECT_EQ(clipboard_.Image().dib, through_x_picture.dib);
  EXPECT_EQ(clipboard_.Text(), "");
}

}  // namespace
}  // namespace clipnest
