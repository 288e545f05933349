// The panel's stamped saves of the clipboard's text and picture.
#include "behaviour/program_fixture.h"
#include "headless/dib_bytes.h"
#include "platform/dib.h"

namespace clipnest {

constexpr const char* kTextFile = "/clips/Text-06.12.2026-09.05.03.txt";
constexpr const char* kPictureFile = "/clips/Sc-06.12.2026-09.05.03.bmp";

static Picture OnePixel(std::uint32_t argb) {
  return DibFromRows(1, 1, [&argb](int) { return &argb; });
}

class SavesTest : public ProgramTest {
 protected:
  SavesTest() { Start(); }
};

TEST_F(SavesTest, TextSavesOfOneSecondGoToOneStampedFileInTheAnsiCodePage) {
  h.clipboard.text = "Привет";
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  h.clipboard.text = "two\r\nlines";
  Panel("Image1").Click();
  h.clipboard.text = "";  // a clipboard without text writes just the line end
  h.clipboard.picture = OnePixel(0xFFFF0000);
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\xCF\xF0\xE8\xE2\xE5\xF2\r\ntwo\r\nlines\r\n\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1", "SaveTxt1", "SaveTxt1"));
}

TEST_F(SavesTest, ATextSaveThatFailsChangesNoFileAndOnlyAMissingFolderPlaysError) {
  h.clipboard.unreadable = true;
  Panel("Image1").Click();
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  h.clipboard.unreadable = false;
  h.clipboard.text = "Привет";
  Panel("Image1").Click();
  Cues();
  // A conversion of the file to UTF-8 that cannot be written leaves it as it was.
  h.disk.FailWritesWith(ErrorNumber::kDiskFull);
  h.clipboard.text = "emoji 😀";
  Panel("Image1").Click();
  h.disk.FailWritesWith(ErrorNumber::kPermissionDenied);
  Panel("Image1").Click();
  EXPECT_EQ(h.disk.Content(kTextFile), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  EXPECT_THAT(Cues(), IsEmpty());
  h.disk.FailWritesWith(ErrorNumber::kNone);
  Panel("Text4").SetText("/gone");
  Panel("Image1").Click();
  EXPECT_THAT(Cues(), ElementsAre("Error"));
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath, kTextFile));
}

TEST_F(SavesTest, TheClipboardPictureBecomesAStampedBmpOnlyNoPictureAtAllPlaysError) {
  h.clipboard.picture = OnePixel(0xFF00FF00);
  Panel("Image3").Click();
  h.clipboard.picture = OnePixel(0xFF0000FF);
  Panel("Image3").Click();  // the same second: replaced
  EXPECT_EQ(h.disk.Content(kPictureFile), *BmpFile(h.clipboard.picture));
  h.clipboard.picture = {};
  Panel("Image3").Click();
  EXPECT_THAT(Cues(), ElementsAre("SaveScr", "SaveScr", "Error"));
  // A header that claims 16385 pixels is refused before its rows are read.
  h.clipboard.picture = Picture{test_support::InfoHeader(1, 16385, 24, 0)};
  h.clock.time = "9:05:04";
  Panel("Image3").Click();
  h.clipboard.picture = OnePixel(0xFF00FF00);
  h.clipboard.unreadable = true;
  Panel("Image3").Click();
  h.clipboard.unreadable = false;
  Panel("Text4").SetText("/gone");
  Panel("Image3").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath, kPictureFile));
}

}  // namespace clipnest
