// The timestamp rule with scripted regional texts.
#include "saving/timestamp.h"
#include "forms/form.h"
#include "headless/headless_platform.h"
#include "panel/panel_layout.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class TimestampTest : public ::testing::Test {
 protected:
  TimestampTest() : panel(h.windows, PanelDesign()) {}
  std::string Stamp(const std::string& time, const std::string& date) {
    h.clock.time = time;
    h.clock.date = date;
    MakeTimestamp(panel["Text1"], panel["Text2"], h.clock);
    return panel["Text2"].text();
  }

  headless::HeadlessPlatform h;
  Form panel;
};

TEST_F(TimestampTest, RussianTimesGetTwoDigitHours) {
  EXPECT_EQ(Stamp("9:05:03", "06.12.2026"), "06.12.2026-09.05.03");
  EXPECT_EQ(panel["Text1"].text(), "09:05:03");
  EXPECT_EQ(Stamp("10:05:03", "06.12.2026"), "06.12.2026-10.05.03");
  EXPECT_EQ(panel["Text1"].text(), "10:05:03");
  EXPECT_EQ(Stamp("14:30:00", "06.12.2026"), "06.12.2026-14.30.00");
}

TEST_F(TimestampTest, OtherLengthsKeepTheirCharacterPositions) {
  // A 10-character time is not padded; positions 1-2, 4-5 and 7-8 are taken as they stand.
  EXPECT_EQ(Stamp("09:05:03 PM", "2026-12-06"), "2026-12-06-09.05.03");
  EXPECT_EQ(Stamp("9:05", "06.12.2026"), "06.12.2026-9..5.");
}

TEST_F(TimestampTest, CharactersThatAWindowsFileNameCannotHoldBecomePoints) {
  // US settings on Linux (a 12-hour time of two-digit hours) and on Windows.
  EXPECT_EQ(Stamp("09:05:03 AM", "12/6/2026"), "12.6.2026-09.05.03");
  EXPECT_EQ(Stamp("9:05:03 AM", "12/6/2026"), "12.6.2026-9..5..3 ");
  EXPECT_EQ(Stamp("14\t30\n00", "a\rb"), "a.b-14.30.00");
  EXPECT_EQ(Stamp("14:30:00", "a\\b:c*d?e\"f<g>h|i"), "a.b.c.d.e.f.g.h.i-14.30.00");
  EXPECT_EQ(panel["Text1"].text(), "14:30:00");
}

TEST_F(TimestampTest, PositionsCountCharactersNotBytes) {
  // Seven characters, some of them two bytes long in UTF-8.
  EXPECT_EQ(Stamp("9ч05м03", "06.12.2026"), "06.12.2026-09.05.03");
}

}  // namespace
}  // namespace clipnest
