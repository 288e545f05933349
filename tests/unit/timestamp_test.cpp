// The timestamp rule with scripted regional texts.
#include "saving/timestamp.h"
#include "forms/form.h"
#include "headless/headless_platform.h"
#include "panel/panel_layout.h"

#include <gtest/gtest.h>

namespace clipnest {

TEST(TimestampTest, TakesTheTimesCharactersByPositionAndMakesEveryOneAFileNameCanHold) {
  headless::HeadlessPlatform h;
  Form panel(h.windows, PanelDesign());
  const auto stamp = [&](const char* time, const char* date) {
    h.clock.time = time;
    h.clock.date = date;
    MakeTimestamp(panel["Text1"], panel["Text2"], h.clock);
    return panel["Text2"].text();
  };
  // A 7-character time gets its two-digit hour; positions count characters, not bytes.
  EXPECT_EQ(stamp("9:05:03", "06.12.2026"), "06.12.2026-09.05.03");
  EXPECT_EQ(stamp("9ч05м03", "06.12.2026"), "06.12.2026-09.05.03");
  EXPECT_EQ(stamp("14:30:00", "06.12.2026"), "06.12.2026-14.30.00");
  // Other lengths are not padded: positions 1-2, 4-5 and 7-8 as they stand.
  EXPECT_EQ(stamp("09:05:03 PM", "2026-12-06"), "2026-12-06-09.05.03");
  // US settings on Linux and Windows; every character a Windows file name refuses.
  EXPECT_EQ(stamp("09:05:03 AM", "12/6/2026"), "12.6.2026-09.05.03");
  EXPECT_EQ(stamp("14:30:00", "a\\b:c*d?e\"f<g>h|i"), "a.b.c.d.e.f.g.h.i-14.30.00");
  EXPECT_EQ(stamp("14\t30\n00", "a\rb"), "a.b-14.30.00");  // and control characters
}

}  // namespace clipnest
