// Which bytes a text save writes: the ANSI code page where it holds the text, UTF-8 with its
// byte-order mark where it cannot, and never a mix of the two in one file.
#include "saving/text_file.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class TextFileTest : public ::testing::Test {
 protected:
  TextFileTest() { h.disk.MakeFolder("/clips"); }
  void Append(std::string_view text) { TextFiles(h.disk, h.ansi).AppendLine(kPath, text); }
  std::string File() { return h.disk.Content(kPath); }

  static constexpr const char* kPath = "/clips/a.txt";
  headless::HeadlessPlatform h;
};

TEST_F(TextFileTest, CyrillicIsOneWindows1251BytePerCharacterFollowedByCrLf) {
  Append("Привет");
  EXPECT_EQ(File(), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
}

TEST_F(TextFileTest, LineBreaksAreKeptAndOneMoreCrLfFollows) {
  Append("a\r\nb\nc");
  EXPECT_EQ(File(), "a\r\nb\nc\r\n");
}

TEST_F(TextFileTest, TextWithoutAnAnsiFormStartsANewFileAsUtf8WithItsMark) {
  Append("Привет 😀");
  EXPECT_EQ(File(), "\xEF\xBB\xBFПривет 😀\r\n");
}

TEST_F(TextFileTest, AnEmptyFileCountsAsNew) {
  h.disk.SetContent(kPath, "");
  Append("中文");
  EXPECT_EQ(File(), "\xEF\xBB\xBF中文\r\n");
}

TEST_F(TextFileTest, AUtf8FileTakesEveryLaterTextAsUtf8) {
  Append("😀");
  Append("Привет");
  EXPECT_EQ(File(), "\xEF\xBB\xBF😀\r\nПривет\r\n");
}

TEST_F(TextFileTest, TextWithoutAnAnsiFormIsRefusedForAnAnsiFileWhichStaysAsItWas) {
  Append("Привет");
  try {
    Append("😀");
    FAIL() << "the text was accepted";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), ErrorNumber::kTextNotRepresentable);
  }
  EXPECT_EQ(File(), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
}

TEST_F(TextFileTest, AMissingFolderIsPathNotFound) {
  try {
    TextFiles(h.disk, h.ansi).AppendLine("/nowhere/a.txt", "x");
    FAIL() << "the write went through";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), ErrorNumber::kPathNotFound);
  }
}

}  // namespace
}  // namespace clipnest
