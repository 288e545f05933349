// The settings file through the profile strings on an in-memory disk: what the recorded table
// (profile_table_test.cpp) does not show.
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class IniProfileTest : public ::testing::Test {
 protected:
  std::string Get(std::string_view key) { return h.profile.Get("Setup", key, "no", 255, kPath); }
  void Put(std::string_view key, std::string_view value) {
    h.profile.Put("Setup", key, value, kPath);
  }
  std::string File() { return h.disk.Content(kPath); }

  static constexpr const char* kPath = headless::HeadlessPlatform::kSettingsPath;
  headless::HeadlessPlatform h;
};

TEST_F(IniProfileTest, WritingKeepsEveryOtherLineAndByte) {
  const std::string before =
      "; my comments\r\n[Other]\r\nLeft=9\r\n\r\n[Setup]\r\n  top = 1 \r\nSounds=0\r\n\r\n"
      "[Last]\nx=y";
  h.WriteSettings(before);
  Put("Top", "2");
  Put("Transparent", "1");
  Put("Extra", "z");
  EXPECT_EQ(File(),
            "; my comments\r\n[Other]\r\nLeft=9\r\n\r\n[Setup]\r\ntop=2\r\nSounds=0\r\n"
            "Transparent=1\r\nExtra=z\r\n\r\n[Last]\nx=y");
}

TEST_F(IniProfileTest, AFailedWriteLeavesTheFileAsItWas) {
  h.WriteSettings("[Setup]\r\nLeft=1\r\n");
  h.disk.FailWritesWith(ErrorNumber::kPermissionDenied);
  Put("Left", "2");
  EXPECT_EQ(Get("Left"), "1");
}

}  // namespace
}  // namespace clipnest
