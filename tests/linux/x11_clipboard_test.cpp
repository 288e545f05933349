// The program's clipboard reader on a private Xvfb: what the program offers itself reads as the
// same text or picture offered by another program does, and without waiting on itself.
#include "platform/linux/x11_clipboard.h"
#include "folders.h"
#include "x_session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace clipnest {
namespace {

using test_support::RunEventsUntil;
using test_support::XSession;

class X11ClipboardTest : public ::testing::Test {
 protected:
  // Another program (xclip) offers the file as the target; true once the program has noticed.
  bool OfferedByAnotherProgram(const std::string& target, const std::string& bytes) {
    bool noticed = false;
    const auto connection =
        QObject::connect(qt_clipboard_, &QClipboard::dataChanged, [&] { noticed = true; });
    test_support::WriteBytes(folder_ / "offer", bytes);
    const bool offered =
        x_.Run("xclip -selection clipboard -t " + target + " -i " + folder_ / "offer") &&
        RunEventsUntil([&] { return noticed; });
    QObject::disconnect(connection);
    return offered;
  }

  XSession& x_ = XSession::Get();
  QClipboard* qt_clipboard_ = QGuiApplication::clipboard();
  test_support::TempFolder folder_;
  X11Clipboard clipboard_;
};

TEST_F(X11ClipboardTest, OwnTextAndPictureReadAsAnotherProgramsOffer) {
  const std::string text("Привет,\nмир\0tail", 24);
  ASSERT_TRUE(OfferedByAnotherProgram("UTF8_STRING", text));
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
  picture.save(QString::fromStdString(folder_ / "picture.png"), "PNG");
  ASSERT_TRUE(
      OfferedByAnotherProgram("image/png", test_support::ReadBytes(folder_ / "picture.png")));
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
