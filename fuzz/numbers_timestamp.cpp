// The number rules read any text without fault, a position's text reads back as the same
// number, and a position read is one a window can take; the timestamp of any regional time and
// date texts holds no character that a Windows file name cannot hold.
#include "check.h"
#include "forms/form.h"
#include "forms/window_system.h"
#include "platform/regional_clock.h"
#include "saving/timestamp.h"
#include "settings/numbers.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>

using namespace clipnest;

namespace {
struct NoWindows : WindowSystem {
  std::unique_ptr<FormView> CreateView(Form&) override { return nullptr; }
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
};
struct Clock : RegionalClock {
  std::string TimeText() override { return time; }
  std::string DateText() override { return date; }
  char DecimalSeparator() override { return ','; }
  std::string time, date;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const char separator = in.ConsumeBool() ? ',' : '.';
  const float position = in.ConsumeFloatingPoint<float>();
  if (std::isfinite(position))
    CHECK(float(StrictNumber(NumberText(position, separator), separator).value_or(NAN)) ==
          position);
  const std::string text = in.ConsumeRandomLengthString(40);
  const std::optional<double> number = StrictNumber(text, separator);
  const std::optional<std::int32_t> whole = StrictInt32(text, separator);
  CHECK(!whole || (number && std::nearbyint(*number) == *whole));
  CHECK(!StrictByte(text, separator) || (whole && *whole >= 0 && *whole <= 255));
  // A number too large for a double reads as an infinity, which no position takes.
  const std::optional<float> place = LenientPosition(text);
  CHECK(!std::isnan(LenientNumber(text)) && (!place || std::isfinite(*place)));

  NoWindows windows;
  Form form(windows, "Form1", FormStyle::kBorderless, 0, 0);
  Clock clock;
  clock.time = in.ConsumeRandomLengthString(16);
  clock.date = in.ConsumeRemainingBytesAsString();
  MakeTimestamp(form.Add("Text1", ControlKind::kTextBox, {}),
                form.Add("Text2", ControlKind::kTextBox, {}), clock);
  for (const char c : form["Text2"].text())
    CHECK(static_cast<unsigned char>(c) >= 0x20 && !std::strchr("/\\:*?\"<>|", c));
  return 0;
}
