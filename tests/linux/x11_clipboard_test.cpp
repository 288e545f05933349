// The program's clipboard reader on a private Xvfb: text the program offers itself (copied from
// its name box) reads as the same text offered by another program does, and without waiting on
// itself; pictures of up to 16384 pixels a side are read, larger ones refused before their pixels
// exist. (The program's own picture is the screenshot test's.)
#include "platform/linux/x11_clipboard.h"
#include "platform/runtime_error.h"
#include "x_session.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace clipnest::x11 {
namespace {

using test_support::XSession;

std::uint32_t Crc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

QByteArray BigEndian(std::uint32_t value) {
  const char bytes[] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                        static_cast<char>(value >> 8), static_cast<char>(value)};
  return QByteArray(bytes, 4);
}

QByteArray Chunk(const char* type, const QByteArray& data) {
  const QByteArray typed = QByteArray(type) + data;
  return BigEndian(static_cast<std::uint32_t>(data.size())) + typed + BigEndian(Crc32(typed));
}

// A true-colour PNG of one colour (0x4080C0); with `pixels` false only its header, which is all
// a reader needs to tell the size.
std::string Png(int width, int height, bool pixels = true) {
  QByteArray rows;
  if (pixels) {
    const QByteArray row = QByteArray(1, '\0') + QByteArray("\x40\x80\xC0").repeated(width);
    rows = qCompress(row.repeated(height), 1).mid(4);  // the zlib stream without Qt's length
  }
  const QByteArray header = BigEndian(static_cast<std::uint32_t>(width)) +
                            BigEndian(static_cast<std::uint32_t>(height)) +
                            QByteArray("\x08\x02\x00\x00\x00", 5);
  return (QByteArray("\x89PNG\r\n\x1A\n") + Chunk("IHDR", header) + Chunk("IDAT", rows) +
          Chunk("IEND", {}))
      .toStdString();
}

// The width and height in a DIB's header.
std::pair<std::int32_t, std::int32_t> SizeOf(const Picture& picture) {
  std::int32_t size[2] = {0, 0};
  if (picture.dib.size() >= 12) std::memcpy(size, picture.dib.data() + 4, sizeof size);
  return {size[0], size[1]};
}

class X11ClipboardTest : public ::testing::Test {
 protected:
  XSession& x_ = XSession::Get();
  QClipboard* qt_clipboard_ = QGuiApplication::clipboard();
  X11Clipboard clipboard_;
};

TEST_F(X11ClipboardTest, OwnTextReadsAsAnotherProgramsOfferCutAtItsFirstNul) {
  const std::string text("Привет,\nмир\0tail", 24);
  ASSERT_TRUE(x_.OfferFromAnotherProgram("UTF8_STRING", text));
  const unsigned long other_program = x_.ClipboardOwner();
  const std::string through_x = clipboard_.Text();
  EXPECT_EQ(through_x, "Привет,\nмир");
  qt_clipboard_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  EXPECT_NE(x_.ClipboardOwner(), other_program);
  EXPECT_EQ(clipboard_.Text(), through_x);
  EXPECT_TRUE(clipboard_.Image().empty());
}

TEST_F(X11ClipboardTest, PicturesOfUpTo16384PixelsASideAreReadLargerOnesRefusedUnread) {
  // Beyond the 128 MiB of pixels that Qt's readers allow by default.
  ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", Png(6000, 6000)));
  const Picture large = clipboard_.Image();
  EXPECT_EQ(SizeOf(large), std::make_pair(6000, 6000));
  ASSERT_GT(large.dib.size(), 43u);
  EXPECT_EQ(large.dib.substr(40, 3), "\xC0\x80\x40");  // the first pixel, blue green red
  ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", Png(16384, 1)));
  EXPECT_EQ(SizeOf(clipboard_.Image()), std::make_pair(16384, 1));

  for (const std::string& png : {Png(16385, 1), Png(1, 16385), Png(16385, 16385, false)}) {
    ASSERT_TRUE(x_.OfferFromAnotherProgram("image/png", png));
    try {
      clipboard_.Image();
      ADD_FAILURE() << "a picture above 16384 pixels a side was read";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::kOutOfMemory);
    }
  }
}

}  // namespace
}  // namespace clipnest::x11
