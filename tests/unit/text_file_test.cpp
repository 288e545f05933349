// Which bytes a text save writes: the ANSI code page where it holds the text, UTF-8 with its
// byte-order mark where it cannot, and never a mix of the two in one file: an ANSI file becomes
// UTF-8, whole and without loss, before text that the code page cannot hold goes into it.
#include "saving/text_file.h"
#include "headless/headless_platform.h"

#include <gmock/gmock.h>

namespace clipnest {

class TextFileTest : public ::testing::Test {
 protected:
  TextFileTest() { h.disk.MakeFolder("/clips"); }
  void Append(std::string_view text, std::size_t limit = kLargestConvertedFile) {
    TextFiles(h.disk, h.ansi, limit).AppendLine(kPath, text);
  }
  std::string File() { return h.disk.Content(kPath); }

  static constexpr const char* kPath = "/clips/a.txt";
  headless::HeadlessPlatform h;
};

TEST_F(TextFileTest, AnsiWhereTheCodePageHoldsTheTextUtf8WithItsMarkWhereItCannot) {
  Append("中文");
  Append("Привет");  // a UTF-8 file takes every later text as UTF-8
  EXPECT_EQ(File(), "\xEF\xBB\xBF中文\r\nПривет\r\n");
  h.disk.SetContent(kPath, "");
  Append("Привет\r\nb\nc");  // line breaks stay, then CR LF
  EXPECT_EQ(File(), "\xCF\xF0\xE8\xE2\xE5\xF2\r\nb\nc\r\n");
  // A text of many pieces, its letters across every boundary, comes out whole in ANSI.
  h.disk.SetContent(kPath, "");
  std::string text = "x";
  for (int i = 0; i < 1 << 17; ++i) text += "П";
  Append(text);
  EXPECT_TRUE(File() == "x" + std::string(1 << 17, '\xCF') + "\r\n");
}

TEST_F(TextFileTest, TextWithoutAnAnsiFormTurnsAnAnsiFileIntoUtf8WithoutLosingAByte) {
  // 0x98 is the one byte that Windows-1251 leaves undefined: it must come back as itself.
  h.disk.SetContent(kPath, "\xCF\xF0\xE8\xE2\xE5\xF2 \x98\r\n");
  Append("café 😀");
  Append("Ещё");
  EXPECT_EQ(File(), "\xEF\xBB\xBFПривет \xC2\x98\r\ncafé 😀\r\nЕщё\r\n");
}

TEST_F(TextFileTest, AFileOfMegabytesIsCheckedInPiecesThatSplitNoCharacter) {
  // "x" and then "П"s: in UTF-8 every 2-byte letter starts at an odd offset, across each megabyte.
  h.disk.SetContent(kPath, "x" + std::string(3 << 19, '\xCF'));
  Append("😀");
  std::string utf8 = "\xEF\xBB\xBFx";
  for (int i = 0; i < 3 << 19; ++i) utf8 += "П";
  EXPECT_TRUE(File() == utf8 + "😀\r\n");
}

TEST_F(TextFileTest, AFileAboveTheLimitStaysAsItWasAndTheSaveFailsSilently) {
  const std::string ansi_file = "\xCF\xF0\xE8\xE2\xE5\xF2\r\n";
  h.disk.SetContent(kPath, ansi_file);
  EXPECT_THAT([&] { Append("😀", ansi_file.size() - 1); },
              ::testing::Throws<RuntimeError>(
                  ::testing::Property(&RuntimeError::number, ErrorNumber::kOutOfMemory)));
  EXPECT_EQ(File(), ansi_file);
  Append("😀", ansi_file.size());
  EXPECT_EQ(File(), "\xEF\xBB\xBFПривет\r\n😀\r\n");
}

}  // namespace clipnest
