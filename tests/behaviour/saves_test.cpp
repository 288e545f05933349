// The panel's two stamped saves: the clipboard text and the clipboard picture.
#include "behaviour/program_fixture.h"
#include "headless/dib_bytes.h"
#include "platform/dib.h"

#include <gmock/gmock.h>

namespace clipnest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kTextFile = "/clips/Text-06.12.2026-09.05.03.txt";
constexpr const char* kPictureFile = "/clips/Sc-06.12.2026-09.05.03.bmp";

Picture OnePixel(std::uint32_t argb) {
  return DibFromRows(1, 1, [&argb](int) { return &argb; });
}

class TextSaveTest : public ProgramTest {
 protected:
  TextSaveTest() { Start(); }
};

TEST_F(TextSaveTest, ClipboardTextGoesToATimestampedFileInTheAnsiCodePage) {
  h.clipboard.text = "Привет";
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1"));
  EXPECT_EQ(Panel("Text1").text(), "09:05:03");
  EXPECT_EQ(Panel("Text2").text(), "06.12.2026-09.05.03");
  EXPECT_EQ(Panel("Text3").text(), "Привет");
}

TEST_F(TextSaveTest, TwoSavesInOneSecondAppendToOneFile) {
  h.clipboard.text = "one";
  Panel("Image1").Click();
  h.clipboard.text = "two\r\nlines";
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "one\r\ntwo\r\nlines\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1", "SaveTxt1"));
}

TEST_F(TextSaveTest, AClipboardWithoutTextWritesJustCrLf) {
  h.clipboard.text = "";
  h.clipboard.picture = OnePixel(0xFFFF0000);
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1"));
}

TEST_F(TextSaveTest, AMissingFolderPlaysErrorAndWritesNothingButTheHoldersChange) {
  Panel("Text4").SetText("/gone");
  h.clipboard.text = "kept";
  Panel("Image1").Click();
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  EXPECT_THAT(Cues(), ElementsAre("Error"));
  EXPECT_EQ(Panel("Text3").text(), "kept");
  EXPECT_EQ(Panel("Text2").text(), "06.12.2026-09.05.03");
}

TEST_F(TextSaveTest, OtherFailuresAreSilent) {
  h.disk.FailWritesWith(ErrorNumber::kPermissionDenied);
  Panel("Image1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(TextSaveTest, AnUnreadableClipboardChangesNothingAndIsSilent) {
  h.clipboard.unreadable = true;
  Panel("Image1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_EQ(Panel("Text3").text(), "Text3");
  EXPECT_EQ(Panel("Text2").text(), "Text2");
}

TEST_F(TextSaveTest, AConversionThatFailsLeavesTheAnsiFileAsItWasAndIsSilent) {
  h.clipboard.text = "Привет";
  Panel("Image1").Click();
  h.disk.FailWritesWith(ErrorNumber::kDiskFull);
  h.clipboard.text = "emoji 😀";
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1"));
}

TEST_F(TextSaveTest, WithSoundsOffNothingPlaysEvenOnFailure) {
  program->module1().SoundsFlag = "0";
  Panel("Image1").Click();
  Panel("Text4").SetText("/gone");
  Panel("Image1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_TRUE(h.disk.Exists(kTextFile));
}

TEST(TextSaveWithoutFolderKeyTest, TheFolderTextStaysText4) {
  headless::HeadlessPlatform h;
  h.WriteSettings("[Setup]\r\nSounds=1\r\n");
  Program program(h.platform);
  program.Start();
  h.sounds.played.clear();
  program.form1()["Image1"].Click();
  EXPECT_THAT(h.sounds.Cues(), ElementsAre("Error"));
  h.disk.MakeFolder("Text4");
  program.form1()["Image1"].Click();
  EXPECT_TRUE(h.disk.Exists("Text4/Text-06.12.2026-09.05.03.txt"));
}

class PictureSaveTest : public ProgramTest {
 protected:
  PictureSaveTest() { Start(); }
};

TEST_F(PictureSaveTest, TheClipboardPictureBecomesATimestampedBmp) {
  h.clipboard.picture = OnePixel(0xFF00FF00);
  h.clipboard.text = "untouched";
  Panel("Image3").Click();
  ASSERT_TRUE(h.disk.Exists(kPictureFile));
  EXPECT_EQ(h.disk.Content(kPictureFile), *BmpFile(h.clipboard.picture));
  EXPECT_THAT(Cues(), ElementsAre("SaveScr"));
  EXPECT_EQ(Panel("Image10").picture().dib, h.clipboard.picture.dib);
  EXPECT_EQ(Panel("Text3").text(), "Text3");
}

TEST_F(PictureSaveTest, ASecondSaveInTheSameSecondReplacesTheFile) {
  h.clipboard.picture = OnePixel(0xFF00FF00);
  Panel("Image3").Click();
  h.clipboard.picture = OnePixel(0xFF0000FF);
  Panel("Image3").Click();
  EXPECT_EQ(h.disk.Content(kPictureFile), *BmpFile(h.clipboard.picture));
}

TEST_F(PictureSaveTest, NoPictureOnTheClipboardPlaysErrorAndWritesNothing) {
  h.clipboard.text = "only text";
  Panel("Image3").Click();
  EXPECT_THAT(Cues(), ElementsAre("Error"));
  EXPECT_FALSE(h.disk.Exists(kPictureFile));
  EXPECT_TRUE(Panel("Image10").picture().empty());
  EXPECT_EQ(Panel("Text2").text(), "06.12.2026-09.05.03");
}

TEST_F(PictureSaveTest, PicturesOfUpTo16384PixelsASideAreSavedLargerOnesRefusedSilently) {
  const std::vector<std::uint32_t> row(16384, 0xFF102030);
  h.clipboard.picture = DibFromRows(16384, 1, [&row](int) { return row.data(); });
  Panel("Image3").Click();
  EXPECT_EQ(h.disk.Content(kPictureFile), *BmpFile(h.clipboard.picture));
  EXPECT_THAT(Cues(), ElementsAre("SaveScr"));

  // A clipboard's picture whose header claims one pixel more: refused before its rows are read.
  h.clipboard.picture = Picture{test_support::InfoHeader(1, 16385, 24, 0)};
  h.clock.time = "9:05:04";
  Panel("Image3").Click();
  EXPECT_FALSE(h.disk.Exists("/clips/Sc-06.12.2026-09.05.04.bmp"));
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(PictureSaveTest, AMissingFolderOrAnUnreadableClipboardIsSilent) {
  h.clipboard.picture = OnePixel(0xFF00FF00);
  Panel("Text4").SetText("/gone");
  Panel("Image3").Click();
  h.clipboard.unreadable = true;
  Panel("Image3").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
}

}  // namespace
}  // namespace clipnest
