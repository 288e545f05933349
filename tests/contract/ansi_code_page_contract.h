#pragma once

// The ANSI code page of Russian regional settings (1251), as the text save and the settings file
// use it. A subject offers: ansi.

#include "contract/contract.h"
#include "platform/ansi_code_page.h"

namespace clipnest::contract {

template <typename Subject>
class AnsiCodePageContract : public Contract<Subject> {};
TYPED_TEST_SUITE_P(AnsiCodePageContract);

TYPED_TEST_P(AnsiCodePageContract, CyrillicIsOneByteEachAndComesBack) {
  AnsiCodePage& page = this->s.ansi;
  EXPECT_EQ(page.Encode("Привет, мир! Ёё №\r\n"),
            "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xB9\r\n");
  EXPECT_EQ(page.Decode("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"), "Привет\r\n");
  EXPECT_EQ(page.Encode(""), "");
}

TYPED_TEST_P(AnsiCodePageContract, TextThePageLacksGivesNothing) {
  AnsiCodePage& page = this->s.ansi;
  EXPECT_EQ(page.Encode("text \xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  // Windows would put a look-alike ("l") in place of this letter; that is not the text.
  EXPECT_EQ(page.Encode("ł"), std::nullopt);
  // The same verdict without the bytes, for a text of megabytes with a letter across each one.
  EXPECT_FALSE(page.Holds("text \xF0\x9F\x98\x80"));
  EXPECT_TRUE(page.Holds(std::string((1 << 20) - 1, 'x') + "Ж"));
  std::string out = "a";
  EXPECT_TRUE(page.AppendEncoded("Ёё", out) && out == "a\xA8\xB8") << out;
}

REGISTER_TYPED_TEST_SUITE_P(AnsiCodePageContract, CyrillicIsOneByteEachAndComesBack,
                            TextThePageLacksGivesNothing);

}  // namespace clipnest::contract
