// The clock in the user's regional formats, whatever they are on this system.
#include "platform/win32/win32_regional_clock.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace clipnest {
namespace {

// The runs of digits in a text, as numbers.
std::vector<int> NumbersIn(const std::string& text) {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < text.size();) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    int value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
      value = value * 10 + (text[i] - '0');
    numbers.push_back(value);
  }
  return numbers;
}

TEST(Win32RegionalClockTest, TheTimeIsHoursMinutesAndSecondsOfNow) {
  win32::Win32RegionalClock clock;
  SYSTEMTIME before;
  GetLocalTime(&before);
  const std::string time = clock.TimeText();
  SYSTEMTIME after;
  GetLocalTime(&after);

  EXPECT_EQ(std::count(time.begin(), time.end(), ':'), 2) << time;
  EXPECT_EQ(time.find('\0'), std::string::npos) << "a terminator in the text";
  const std::vector<int> numbers = NumbersIn(time);
  ASSERT_EQ(numbers.size(), 3u) << time;
  EXPECT_LE(numbers[0], 23);
  EXPECT_TRUE(numbers[1] == before.wMinute || numbers[1] == after.wMinute) << time;
  EXPECT_LE(numbers[2], 59);
}

TEST(Win32RegionalClockTest, TheDateHoldsTodaysDayMonthAndYear) {
  win32::Win32RegionalClock clock;
  SYSTEMTIME today;
  GetLocalTime(&today);
  const std::string date = clock.DateText();

  EXPECT_EQ(date.find('\0'), std::string::npos) << "a terminator in the text";
  std::vector<int> numbers = NumbersIn(date);
  ASSERT_EQ(numbers.size(), 3u) << date;
  std::sort(numbers.begin(), numbers.end());
  std::vector<int> expected{today.wDay, today.wMonth, today.wYear};
  // Either the whole year or its last two digits, as the short format has it.
  if (std::find(numbers.begin(), numbers.end(), today.wYear) == numbers.end())
    expected[2] = today.wYear % 100;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(numbers, expected) << date;
}

TEST(Win32RegionalClockTest, TheDecimalSeparatorIsOnePunctuationCharacter) {
  win32::Win32RegionalClock clock;
  const char separator = clock.DecimalSeparator();
  EXPECT_TRUE(std::ispunct(static_cast<unsigned char>(separator))) << int{separator};
}

}  // namespace
}  // namespace clipnest
