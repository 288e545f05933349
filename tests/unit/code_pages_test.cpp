// The ANSI code page of a locale and the single-byte code pages.
#include "platform/ansi/code_pages.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

TEST(CodePageForLocaleTest, FollowsTheLanguageAsWindowsMapsIt) {
  EXPECT_EQ(AnsiCodePageForLocale("ru_RU.UTF-8"), 1251);
  EXPECT_EQ(AnsiCodePageForLocale("en_US.UTF-8"), 1252);
  EXPECT_EQ(AnsiCodePageForLocale("de_DE@euro"), 1252);
  EXPECT_EQ(AnsiCodePageForLocale("pl_PL.UTF-8"), 1250);
  EXPECT_EQ(AnsiCodePageForLocale("sr_RS@latin"), 1250);
  EXPECT_EQ(AnsiCodePageForLocale("zh_TW.UTF-8"), 950);
  EXPECT_EQ(AnsiCodePageForLocale("C"), 1252);
  EXPECT_EQ(AnsiCodePageForLocale(""), 1252);
}

TEST(SingleByteCodePageTest, CyrillicIsOneByteEachInWindows1251) {
  auto page = SingleByteCodePage::Make(1251);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->Encode("Привет, мир! Ёё №"),
            "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xB9");
  EXPECT_EQ(page->Decode("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
}

TEST(SingleByteCodePageTest, CharactersOutsideThePageHaveNoAnsiForm) {
  auto russian = SingleByteCodePage::Make(1251);
  auto western = SingleByteCodePage::Make(1252);
  ASSERT_TRUE(russian && western);
  EXPECT_FALSE(russian->Encode("smile \xF0\x9F\x98\x80"));  // an emoji
  EXPECT_FALSE(russian->Encode("中文"));
  EXPECT_FALSE(russian->Encode("café"));  // é is not in Windows-1251
  EXPECT_EQ(western->Encode("café €"), "caf\xE9 \x80");
  EXPECT_FALSE(western->Encode("Привет"));
}

// Long texts go through a buffer and through ASCII eight bytes at a time: a text gives what its
// pieces give, and one bad or foreign character anywhere refuses all of it.
TEST(SingleByteCodePageTest, LongTextsEncodeAsTheirPiecesDo) {
  auto page = SingleByteCodePage::Make(1251);
  ASSERT_TRUE(page);
  const std::string pieces[] = {"Строка 12345678901: ", "Съешь же ещё — №", "ascii only, longer",
                                "ё", "\r\n"};
  EXPECT_EQ(page->Encode("ascii only, longer"), "ascii only, longer");
  std::string text;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string& piece = pieces[(i * 7) % std::size(pieces)];
    text += piece;
    expected += *page->Encode(piece);
  }
  EXPECT_EQ(page->Encode(text), expected);
  std::string appended = "before ";
  ASSERT_TRUE(page->AppendEncoded(text, appended));
  EXPECT_EQ(appended, "before " + expected);

  // Ill-formed UTF-8 too: overlong forms of characters the page holds (А, ё) and a surrogate.
  for (const std::string bad : {"\xF0\x9F\x98\x80", "\xD0", "\x80", "é", "\xE0\x80\x80",
                                "\xE0\x90\x90", "\xF0\x80\x91\x91", "\xED\xA0\x80"}) {
    for (std::size_t at : {std::size_t{0}, std::size_t{5}, std::size_t{4093}, std::size_t{4100},
                           std::size_t{8197}, text.size()}) {
      std::string broken = text;
      // Between characters: after the ASCII of a piece or at the text's ends.
      while (at < broken.size() && (static_cast<unsigned char>(broken[at]) & 0xC0) == 0x80) ++at;
      broken.insert(at, bad);
      EXPECT_FALSE(page->Encode(broken)) << "bad bytes at " << at;
    }
  }
}

TEST(SingleByteCodePageTest, OnlySingleBytePagesHaveTables) {
  EXPECT_TRUE(SingleByteCodePage::Make(874));
  EXPECT_TRUE(SingleByteCodePage::Make(1258));
  EXPECT_FALSE(SingleByteCodePage::Make(932));
  EXPECT_FALSE(SingleByteCodePage::Make(65001));
}

}  // namespace
}  // namespace clipnest
