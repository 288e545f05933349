// The settings file's read and write rules, through the profile strings on an in-memory disk.
#include "headless/headless_platform.h"
#include "platform/ini/ini_text.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class IniProfileTest : public ::testing::Test {
 protected:
  std::string Get(std::string_view key, std::size_t size = 255) {
    return h.profile.Get("Setup", key, "no", size, kPath);
  }
  void Put(std::string_view key, std::string_view value) {
    h.profile.Put("Setup", key, value, kPath);
  }
  std::string File() { return h.disk.Content(kPath); }

  static constexpr const char* kPath = headless::HeadlessPlatform::kSettingsPath;
  headless::HeadlessPlatform h;
};

TEST_F(IniProfileTest, ReadsValuesWhateverTheCaseOfNamesAndDropsBlanksAndQuotes) {
  h.WriteSettings(
      "[setup]\r\n  LEFT = 4500  \r\ntop=\"  300 \"\r\nSavePath='D:\\Clips'\r\nSounds=\"1'\r\n"
      "Empty=\r\n");
  EXPECT_EQ(Get("Left"), "4500");
  EXPECT_EQ(Get("Top"), "  300 ");  // quotes keep the blanks inside them
  EXPECT_EQ(Get("savepath"), "D:\\Clips");
  EXPECT_EQ(Get("Sounds"), "\"1'");  // quotes that do not match stay
  EXPECT_EQ(Get("Empty"), "");
}

TEST_F(IniProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Get("Left"), "no");
  h.WriteSettings("[Other]\r\nLeft=1\r\n");
  EXPECT_EQ(Get("Left"), "no");
  h.WriteSettings("[Setup]\r\nTop=1\r\n[Other]\r\nLeft=1\r\n");
  EXPECT_EQ(Get("Left"), "no");
}

TEST_F(IniProfileTest, FirstSectionAndKeyOfANameWin) {
  h.WriteSettings("[Setup]\nLeft=1\nLeft=2\n[SETUP]\nLeft=3\nTop=4\n");
  EXPECT_EQ(Get("Left"), "1");
  EXPECT_EQ(Get("Top"), "no");  // only the first section of the name is read
}

TEST_F(IniProfileTest, LongValuesAreCutToTheBuffer) {
  std::string long_path(300, 'x');
  h.WriteSettings("[Setup]\r\nSavePath=" + long_path + "\r\n");
  EXPECT_EQ(Get("SavePath"), long_path.substr(0, 254));
}

TEST_F(IniProfileTest, CyrillicValuesTravelThroughTheAnsiCodePage) {
  h.disk.MakeFolder("/app");
  Put("SavePath", "Д:/Папка");
  EXPECT_EQ(File(), "[Setup]\r\nSavePath=\xC4:/\xCF\xE0\xEF\xEA\xE0\r\n");
  EXPECT_EQ(Get("SavePath"), "Д:/Папка");
}

TEST_F(IniProfileTest, WritingCreatesTheFileThenTheKeyAndReplacesValues) {
  Put("Left", "4500");
  EXPECT_EQ(File(), "[Setup]\r\nLeft=4500\r\n");
  Put("Top", "300");
  EXPECT_EQ(File(), "[Setup]\r\nLeft=4500\r\nTop=300\r\n");
  Put("LEFT", "-120");
  EXPECT_EQ(File(), "[Setup]\r\nLeft=-120\r\nTop=300\r\n");
}

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

TEST_F(IniProfileTest, AMissingSectionGoesAtTheEndEvenAfterALastLineWithoutBreak) {
  h.WriteSettings("[Other]\r\nx=1");
  Put("Sounds", "1");
  EXPECT_EQ(File(), "[Other]\r\nx=1\r\n[Setup]\r\nSounds=1\r\n");
}

TEST_F(IniProfileTest, AFailedWriteLeavesTheFileAsItWas) {
  h.WriteSettings("[Setup]\r\nLeft=1\r\n");
  h.disk.FailWritesWith(ErrorNumber::kPermissionDenied);
  Put("Left", "2");
  EXPECT_EQ(Get("Left"), "1");
}

}  // namespace
}  // namespace clipnest
