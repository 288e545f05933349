// The regional clock with the user's locale taken from the environment, as the program starts.
#include "platform/linux/posix_clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace clipnest {
namespace {

using ::testing::MatchesRegex;

constexpr const char* kDay = "(0[1-9]|[12][0-9]|3[01])";
constexpr const char* kMonth = "(0[1-9]|1[0-2])";
constexpr const char* kYear = "20[0-9]{2}";
constexpr const char* kMinutesSeconds = ":[0-5][0-9]:[0-5][0-9]";

class PosixClockTest : public ::testing::Test {
 protected:
  PosixClockTest() : process_locale_(std::setlocale(LC_ALL, nullptr)) {
    if (const char* value = std::getenv("LC_ALL")) environment_ = value;
  }
  ~PosixClockTest() override {
    if (environment_) {
      ::setenv("LC_ALL", environment_->c_str(), 1);
    } else {
      ::unsetenv("LC_ALL");
    }
    std::setlocale(LC_ALL, process_locale_.c_str());
  }

  // The user's locale as a started program finds it; false when it is not installed.
  bool UseLocale(const char* name) {
    ::setenv("LC_ALL", name, 1);
    return std::setlocale(LC_ALL, name) != nullptr;
  }

 private:
  std::string process_locale_;
  std::optional<std::string> environment_;
};

TEST_F(PosixClockTest, RussianSettingsGiveColonTimesDottedDatesAndADecimalComma) {
  ASSERT_TRUE(UseLocale("ru_RU.UTF-8")) << "the ru_RU.UTF-8 locale is not installed";
  PosixClock clock;
  EXPECT_THAT(clock.TimeText(), MatchesRegex(std::string("([01][0-9]|2[0-3])") + kMinutesSeconds));
  EXPECT_THAT(clock.DateText(), MatchesRegex(std::string(kDay) + "\\." + kMonth + "\\." + kYear));
  EXPECT_EQ(clock.DecimalSeparator(), ',');
}

TEST_F(PosixClockTest, UsEnglishSettingsGiveSlashedDatesAndADecimalPoint) {
  ASSERT_TRUE(UseLocale("en_US.UTF-8")) << "the en_US.UTF-8 locale is not installed";
  PosixClock clock;
  EXPECT_THAT(clock.TimeText(),
              MatchesRegex(std::string("(0[1-9]|1[0-2])") + kMinutesSeconds + " (AM|PM)"));
  EXPECT_THAT(clock.DateText(), MatchesRegex(std::string(kMonth) + "/" + kDay + "/" + kYear));
  EXPECT_EQ(clock.DecimalSeparator(), '.');
}

TEST_F(PosixClockTest, FollowsTheEnvironmentWhileTheProcessIsStillInTheCLocale) {
  // At start the program sets only the character type from the environment.
  ASSERT_TRUE(UseLocale("ru_RU.UTF-8")) << "the ru_RU.UTF-8 locale is not installed";
  std::setlocale(LC_ALL, "C");
  PosixClock clock;
  EXPECT_THAT(clock.DateText(), MatchesRegex(std::string(kDay) + "\\." + kMonth + "\\." + kYear));
  EXPECT_EQ(clock.DecimalSeparator(), ',');
}

}  // namespace
}  // namespace clipnest
