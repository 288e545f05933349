// The system's ANSI code page, as the text save uses it for files without a byte order mark.
#include "platform/win32/win32_ansi_code_page.h"

#include "ansi_sample.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace clipnest {
namespace {

constexpr const char* kEmoji = "\xF0\x9F\x98\x80";

TEST(Win32AnsiCodePageTest, TextThePageHoldsRoundTrips) {
  win32::Win32AnsiCodePage page;
  if (GetACP() == 1251) {
    EXPECT_EQ(page.Encode("Привет, мир! Ёё №"),
              "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xB9");
    EXPECT_EQ(page.Decode("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"), "Привет\r\n");
  }
  const test_support::AnsiSample letters = test_support::LettersOfTheAnsiPage();
  ASSERT_GT(letters.ansi.size(), 3u) << "code page " << GetACP() << " holds no letters";
  EXPECT_EQ(page.Encode(letters.utf8 + "\r\n"), letters.ansi + "\r\n");
  EXPECT_EQ(page.Decode(letters.ansi), letters.utf8);
  EXPECT_EQ(page.Encode(""), "");
}

TEST(Win32AnsiCodePageTest, TextThePageLacksGivesNothing) {
  win32::Win32AnsiCodePage page;
  EXPECT_EQ(page.Encode(std::string("text ") + kEmoji), std::nullopt);
  // The system would put a look-alike ("l") in place of this letter; that is not the text.
  const UINT page_number = GetACP();
  if (page_number != 1250 && page_number != 1257) {
    EXPECT_EQ(page.Encode("ł"), std::nullopt);
  }
}

}  // namespace
}  // namespace clipnest
