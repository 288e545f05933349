// The system's ANSI code page, as the text save uses it for files without a byte order mark.
// The tests run with Russian regional settings: code page 1251.
#include "platform/win32/win32_ansi_code_page.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace clipnest {
namespace {

TEST(Win32AnsiCodePageTest, CyrillicIsOneByteEachAndComesBack) {
  ASSERT_EQ(GetACP(), 1251u) << "run the tests with LANG=ru_RU.UTF-8";
  win32::Win32AnsiCodePage page;
  EXPECT_EQ(page.Encode("Привет, мир! Ёё №\r\n"),
            "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xB9\r\n");
  EXPECT_EQ(page.Decode("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"), "Привет\r\n");
  EXPECT_EQ(page.Encode(""), "");
}

TEST(Win32AnsiCodePageTest, TextThePageLacksGivesNothing) {
  win32::Win32AnsiCodePage page;
  EXPECT_EQ(page.Encode("text \xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  // The system would put a look-alike ("l") in place of this letter; that is not the text.
  EXPECT_EQ(page.Encode("ł"), std::nullopt);
}

}  // namespace
}  // namespace clipnest
