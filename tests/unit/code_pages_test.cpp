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

TEST(SingleByteCodePageTest, OnlySingleBytePagesHaveTables) {
  EXPECT_TRUE(SingleByteCodePage::Make(874));
  EXPECT_TRUE(SingleByteCodePage::Make(1258));
  EXPECT_FALSE(SingleByteCodePage::Make(932));
  EXPECT_FALSE(SingleByteCodePage::Make(65001));
}

}  // namespace
}  // namespace clipnest
