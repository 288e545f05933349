// The settings file through the kernel's profile functions, on a real folder: what the program
// adds to them is the ANSI conversion and the buffer it reads into.
#include "platform/win32/win32_profile_strings.h"

#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace clipnest {
namespace {

using test_support::ReadBytes;
using ::testing::IsEmpty;

class Win32ProfileStringsTest : public ::testing::Test {
 protected:
  std::string Get(std::string_view section, std::string_view key, std::size_t buffer_size = 255) {
    return profile_.Get(section, key, "no", buffer_size, settings_);
  }

  test_support::TempFolder folder_;
  const std::string settings_ = folder_ / "Settings.ini";
  win32::Win32ProfileStrings profile_;
};

TEST_F(Win32ProfileStringsTest, ALongValueIsCutToOneLessThanTheBuffer) {
  const std::string long_value(300, 'x');
  profile_.Put("Setup", "SavePath", long_value, settings_);
  EXPECT_EQ(Get("Setup", "SavePath", 255), std::string(254, 'x'));
  EXPECT_EQ(Get("Setup", "SavePath", 1000), long_value);
}

TEST_F(Win32ProfileStringsTest, AMissingFileReadsTheDefaultAndAWriteCreatesItInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1251u) << "run the tests with LANG=ru_RU.UTF-8";
  EXPECT_EQ(Get("Setup", "SavePath"), "no");
  EXPECT_THAT(folder_.Entries(), IsEmpty()) << "reading must not create the file";
  profile_.Put("Setup", "SavePath", "Д:\\Папка", settings_);
  EXPECT_EQ(ReadBytes(settings_), "[Setup]\r\nSavePath=\xC4:\\\xCF\xE0\xEF\xEA\xE0\r\n");
  EXPECT_EQ(Get("Setup", "SavePath"), "Д:\\Папка");
  EXPECT_EQ(Get("Setup", "Top"), "no");
}

}  // namespace
}  // namespace clipnest
