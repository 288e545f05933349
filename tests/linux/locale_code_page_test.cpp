// The ANSI code page of the user's locale: Microsoft's multi-byte pages for East Asian languages.
// (Russian is the single-byte page 1251 of the code pages' test, and the files' tests use it.)
#include "platform/linux/locale_code_page.h"

#include <gtest/gtest.h>

namespace clipnest::x11 {
namespace {

constexpr const char* kEmoji = "\xF0\x9F\x98\x80";

TEST(LocaleCodePageTest, JapaneseRoundTripsThroughCodePage932AndRefusesAnEmoji) {
  LocaleCodePage page("ja_JP.UTF-8");
  // Kanji, kana, half-width katakana and two characters only Microsoft's variant holds.
  const std::string text = "日本語のテキスト ｶﾀｶﾅ ①～";
  const auto bytes = page.Encode(text);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes,
            "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67 \xB6\xC0\xB6\xC5 "
            "\x87\x40\x81\x60");
  EXPECT_EQ(page.Decode(*bytes), text);
  EXPECT_EQ(page.Encode(std::string("絵文字 ") + kEmoji), std::nullopt);
}

TEST(LocaleCodePageTest, EachEastAsianLanguageGetsItsOwnPage) {
  EXPECT_EQ(LocaleCodePage("zh_CN.UTF-8").Encode("中文"), "\xD6\xD0\xCE\xC4");  // 936
  EXPECT_EQ(LocaleCodePage("zh_TW.UTF-8").Encode("中文"), "\xA4\xA4\xA4\xE5");  // 950
  EXPECT_EQ(LocaleCodePage("ko_KR.UTF-8").Encode("한국"), "\xC7\xD1\xB1\xB9");  // 949
  EXPECT_EQ(LocaleCodePage("ko_KR.UTF-8").Decode("\xC7\xD1\xB1\xB9"), "한국");
}

}  // namespace
}  // namespace clipnest::x11
