// The clipboard text's UTF-8 check gives Qt's verdict (which the reader used to ask) on every
// short sequence, wherever it falls against the blocks that the check reads at once.
#include "platform/linux/utf8_validity.h"

#include <QByteArrayView>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace clipnest::x11 {
namespace {

bool QtVerdict(const std::string& text) {
  return QByteArrayView(text).isValidUtf8();
}

TEST(Utf8ValidityTest, AgreesWithQtOnEveryShortSequenceAtEveryBlockPosition) {
  // Bytes that end, continue or break a character, for the third and fourth places.
  const unsigned char kFollowing[] = {0x41, 0x80, 0xBF, 0xC3};
  int disagreements = 0;
  // Valid text before: ASCII, or two-byte characters ending just before the sequence.
  for (const std::string& before : {std::string(), std::string(15, 'a'),
                                    std::string(7, 'a') + "ЖЖЖЖ", std::string(29, 'b') + "Ж"}) {
    for (int first = 0; first < 256; ++first) {
      for (int second = 0; second < 256; ++second) {
        for (unsigned char third : kFollowing) {
          for (unsigned char fourth : kFollowing) {
            std::string text = before;
            text += {static_cast<char>(first), static_cast<char>(second), static_cast<char>(third),
                     static_cast<char>(fourth)};
            text += "ёёёёёёёё";
            if (IsWellFormedUtf8(text) != QtVerdict(text) && ++disagreements < 5) {
              ADD_FAILURE() << "disagrees on " << first << " " << second << " " << int(third) << " "
                            << int(fourth) << " after " << before.size() << " bytes";
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(disagreements, 0);
}

TEST(Utf8ValidityTest, AgreesWithQtOnLongMixedTextsWithAndWithoutDamage) {
  const char* const kCharacters[] = {
      "a",        " ",   "Я", "ё", "é", "€", "—", "中", "\xEF\xBF\xBF", "😀", "\xF4\x8F\xBF\xBF",
      "\xC2\x80", "\x7F"};
  std::mt19937 random(2024);
  int disagreements = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 80);
    for (int i = 0; i < length; ++i) text += kCharacters[random() % std::size(kCharacters)];
    // A wrong byte, or a character cut off at the end.
    if (round % 3 == 1 && !text.empty()) text[random() % text.size()] = static_cast<char>(random());
    if (round % 3 == 2 && !text.empty()) text.resize(random() % text.size());
    if (IsWellFormedUtf8(text) != QtVerdict(text)) ++disagreements;
  }
  EXPECT_EQ(disagreements, 0);
}

}  // namespace
}  // namespace clipnest::x11
