// The strict and lenient number conversions of settings texts.
#include "settings/numbers.h"

#include <gtest/gtest.h>

namespace clipnest {

TEST(StrictNumberTest, AcceptsOnlyAWholeNumberWithBlanksAroundInTheUsersFormat) {
  EXPECT_EQ(StrictNumber("  -42 ", '.'), -42.0);
  EXPECT_EQ(StrictNumber("\t+7\t", '.'), 7.0);
  EXPECT_EQ(StrictNumber("1e3", '.'), 1000.0);
  EXPECT_EQ(StrictNumber("1,5", ','), 1.5);
  EXPECT_EQ(StrictNumber("1.5", '.'), 1.5);
  for (const char* text : {"", "no", "1 2", "12a", "-", "1.5"})
    EXPECT_FALSE(StrictNumber(text, ',')) << text;
  EXPECT_FALSE(StrictNumber("1,5", '.'));
  // Whole numbers round half to even and stay in their range.
  EXPECT_EQ(StrictInt32("-2147483648", '.'), INT32_MIN);
  EXPECT_FALSE(StrictInt32("2147483648", '.'));
  EXPECT_EQ(StrictInt32("2.5", '.'), 2);
  EXPECT_EQ(StrictInt32("3.5", '.'), 4);
  EXPECT_EQ(StrictByte("255", '.'), 255);
  EXPECT_EQ(StrictByte("0", '.'), 0);
  EXPECT_FALSE(StrictByte("256", '.'));
  EXPECT_FALSE(StrictByte("-1", '.'));
}

TEST(LenientNumberTest, ReadsTheLeadingNumberAndSkipsBlanksAnywhere) {
  EXPECT_EQ(LenientNumber("-120"), -120.0);
  EXPECT_EQ(LenientNumber("12.7abc"), 12.7);
  EXPECT_EQ(LenientNumber(" 1 2\t3\n4"), 1234.0);
  EXPECT_EQ(LenientNumber("1.5e2x"), 150.0);
  EXPECT_EQ(LenientNumber("3e"), 3.0);
  EXPECT_EQ(LenientNumber("abc"), 0.0);
  EXPECT_EQ(LenientNumber(""), 0.0);
  EXPECT_EQ(LenientNumber("1,5"), 1.0);  // the decimal point is always "."
}

}  // namespace clipnest
