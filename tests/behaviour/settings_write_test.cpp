// Writing a setting: a value never adds a line to the settings file.
#include "headless/headless_platform.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class SettingsWriteTest : public ::testing::Test {
 protected:
  SettingsWriteTest() { h.WriteSettings("[Setup]\r\nSavePath=/clips\r\nTop=300\r\n"); }
  std::string File() { return h.disk.Content(headless::HeadlessPlatform::kSettingsPath); }

  headless::HeadlessPlatform h;
  SettingsFile settings{h.profile, h.messages, "/app"};
};

TEST_F(SettingsWriteTest, APastedSaveFolderKeepsItsFirstLineThatIsNotBlank) {
  settings.WriteSetting("SavePath", "D:\\Clips\r\n");
  EXPECT_EQ(File(), "[Setup]\r\nSavePath=D:\\Clips\r\nTop=300\r\n");
  settings.WriteSetting("SavePath", "\r\n  \nD:\\A\r[Other]\nD:\\B");
  EXPECT_EQ(File(), "[Setup]\r\nSavePath=D:\\A\r\nTop=300\r\n");
  EXPECT_EQ(settings.ReadSetting("Top", "").text, "300");
  settings.WriteSetting("SavePath", "\r\n");
  EXPECT_EQ(File(), "[Setup]\r\nSavePath=\r\nTop=300\r\n");
}

TEST_F(SettingsWriteTest, AValueOnOneLineIsWrittenByteForByte) {
  settings.WriteSetting("SavePath", "D:\\Мои клипы; #1 = \"x\"\t ");
  EXPECT_EQ(
      File(),
      "[Setup]\r\nSavePath=D:\\\xCC\xEE\xE8 \xEA\xEB\xE8\xEF\xFB; #1 = \"x\"\t \r\nTop=300\r\n");
  settings.WriteSetting("Top", "-120");
  EXPECT_EQ(
      File(),
      "[Setup]\r\nSavePath=D:\\\xCC\xEE\xE8 \xEA\xEB\xE8\xEF\xFB; #1 = \"x\"\t \r\nTop=-120\r\n");
}

}  // namespace
}  // namespace clipnest
