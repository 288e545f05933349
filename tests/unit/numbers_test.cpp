// The strict and lenient number conversions of settings texts (the options' own cases, the
// decimal separator's among them, are the sound gate's test).
#include "settings/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace clipnest {

TEST(NumberTest, StrictIsAWholeNumberWithBlanksAroundWithinItsRangeLenientReadsItsStart) {
  EXPECT_EQ(StrictNumber("\t+7\t", '.'), 7.0);
  EXPECT_EQ(StrictNumber("-1e3", '.'), -1000.0);
  for (const char* text : {"1 2", "-", "1,5"}) EXPECT_FALSE(StrictNumber(text, '.')) << text;
  // Whole numbers round half to even and stay in their range.
  EXPECT_EQ(StrictInt32("-2147483648", '.'), INT32_MIN);
  EXPECT_FALSE(StrictInt32("2147483648", '.'));
  EXPECT_EQ(StrictInt32("2.5", '.'), 2);
  EXPECT_EQ(StrictInt32("3.5", '.'), 4);
  EXPECT_EQ(StrictByte("255", '.'), 255);
  EXPECT_FALSE(StrictByte("256", '.'));
  EXPECT_FALSE(StrictByte("-1", '.'));
  // Lenient: the leading number, blanks anywhere skipped, the decimal point always ".".
  EXPECT_EQ(LenientNumber("12.7abc"), 12.7);
  EXPECT_EQ(LenientNumber(" -1 2\t3\n4"), -1234.0);
  EXPECT_EQ(LenientNumber("1.5e2x"), 150.0);
  EXPECT_EQ(LenientNumber("3e"), 3.0);
  EXPECT_EQ(LenientNumber("abc"), 0.0);
  EXPECT_EQ(LenientNumber("1,5"), 1.0);  // the decimal point is always "."
  EXPECT_EQ(LenientNumber("-1e400"), -HUGE_VAL);
  EXPECT_EQ(LenientNumber("0.00001e-320x"), 0.0);
  EXPECT_EQ(LenientPosition("-2147483648"), -2147483648.0f);
  EXPECT_FALSE(LenientPosition("2147483648"));
}

}  // namespace clipnest
