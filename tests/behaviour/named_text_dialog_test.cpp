// The named text dialog: opened from the panel, it saves the captured clipboard text under the
// name the user types.
#include "behaviour/program_fixture.h"

#include <gmock/gmock.h>

namespace clipnest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class NamedTextDialogTest : public ProgramTest {
 protected:
  NamedTextDialogTest() {
    Start();
    h.clipboard.text = "captured";
  }
  void Open() { Panel("Image2").Click(); }
  Form3& Dialog() { return *program->named_text().form3(); }
  Control& Dialog(const std::string& name) { return Dialog()[name]; }
};

TEST_F(NamedTextDialogTest, OpeningCapturesTheTextAndShowsAnEmptyFocusedNameBox) {
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings"));
  EXPECT_EQ(Panel("Text3").text(), "captured");
  Form& dialog = Dialog().form();
  EXPECT_TRUE(dialog.visible());
  EXPECT_TRUE(dialog.topmost());
  EXPECT_TRUE(dialog.centred());
  EXPECT_EQ(dialog.caption(), "Clipnest v1.0");
  EXPECT_EQ(Dialog("Label1").text(), "Введите имя \"txt\" файла:");
  EXPECT_EQ(Dialog("Text1").text(), "");
  EXPECT_EQ(dialog.focused(), &Dialog("Text1"));
  std::vector<std::string> tab_order;
  for (Control* control : dialog.tab_order()) tab_order.push_back(control->name());
  EXPECT_THAT(tab_order, ElementsAre("Text1", "Command1", "Command2", "Command3"));
}

TEST_F(NamedTextDialogTest, TypingANameAndEnterSavesTheCapturedText) {
  Open();
  Cues();
  Type(Dialog("Text1"), "report");
  EXPECT_EQ(Cues(), std::vector<std::string>(6, "SaveSettings"));
  h.clipboard.text = "changed after opening";
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/report.txt"), "captured\r\n");
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt2"));
  EXPECT_FALSE(Dialog().form().visible());
}

TEST_F(NamedTextDialogTest, AnEmptyNameWritesTheFileNamedJustDotTxt) {
  Open();
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/.txt"), "captured\r\n");
}

TEST_F(NamedTextDialogTest, ANameWithAFolderWorksOnlyWhereTheFolderExists) {
  Open();
  Type(Dialog("Text1"), "sub/report");
  Cues();
  Dialog("Text1").KeyPress(13);
  EXPECT_THAT(Cues(), ElementsAre("Error"));
  EXPECT_FALSE(Dialog().form().visible());

  h.disk.MakeFolder("/clips/sub");
  Open();
  Type(Dialog("Text1"), "sub/report");
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/sub/report.txt"), "captured\r\n");
}

TEST_F(NamedTextDialogTest, EscapeOnAnyControlCancelsWithItsCue) {
  for (const char* control : {"Text1", "Command1", "Command2", "Command3"}) {
    Open();
    Cues();
    Dialog(control).KeyPress(27);
    EXPECT_THAT(Cues(), ElementsAre("Cancel")) << control;
    EXPECT_FALSE(Dialog().form().visible()) << control;
  }
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
}

TEST_F(NamedTextDialogTest, OtherKeysOnTheButtonsDoNothing) {
  Open();
  Cues();
  Dialog("Command1").KeyPress(13);
  Dialog("Command2").KeyPress('a');
  EXPECT_TRUE(Dialog().form().visible());
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(NamedTextDialogTest, TheCancelButtonHidesSilently) {
  Open();
  Cues();
  Dialog("Command2").Click();
  EXPECT_FALSE(Dialog().form().visible());
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(NamedTextDialogTest, ThePictureButtonProposesTheClipboardTextAsTheName) {
  Open();
  Cues();
  h.clipboard.text = "from clipboard";
  Dialog("Command3").Click();
  EXPECT_EQ(Dialog("Text1").text(), "from clipboard");
  EXPECT_EQ(Dialog().form().focused(), &Dialog("Command1"));
  EXPECT_EQ(Panel("Text3").text(), "captured");
  EXPECT_THAT(Cues(), ElementsAre("SaveSettings"));
  Dialog("Command1").Click();
  EXPECT_EQ(h.disk.Content("/clips/from clipboard.txt"), "captured\r\n");
}

TEST_F(NamedTextDialogTest, AMultiLineNameFailsSilentlyAndTheDialogCloses) {
  h.clipboard.text = "two\r\nlines";
  Open();
  Dialog("Command3").Click();
  Cues();
  Dialog("Command1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_FALSE(Dialog().form().visible());
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
}

TEST_F(NamedTextDialogTest, ReopeningKeepsTheWindowAndClearsTheNameWithOneChangeCue) {
  Open();
  Type(Dialog("Text1"), "ab");
  Dialog("Command2").Click();
  Cues();
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings"));
  EXPECT_EQ(Dialog("Text1").text(), "");
  Open();  // already empty: clearing it again is no change
  EXPECT_THAT(Cues(), ElementsAre("Settings"));
  EXPECT_EQ(h.windows.created["Form3"], 1);
}

TEST_F(NamedTextDialogTest, AStampedSaveWhileTheDialogIsOpenChangesWhatItWrites) {
  Open();
  h.clipboard.text = "newer";
  Panel("Image1").Click();
  Type(Dialog("Text1"), "x");
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/x.txt"), "newer\r\n");
}

TEST_F(NamedTextDialogTest, TheCloseBoxDiscardsTheDialogAndTheNextOpeningMakesItAfresh) {
  Open();
  Form3* first = program->named_text().form3();
  Type(Dialog("Text1"), "typed");
  Dialog().form().input().CloseRequested();
  EXPECT_FALSE(first->form().visible());
  Open();
  EXPECT_EQ(h.windows.created["Form3"], 2);
  EXPECT_TRUE(Dialog().form().visible());
  EXPECT_TRUE(Dialog().form().topmost());
  EXPECT_EQ(Dialog("Text1").text(), "");
}

TEST_F(NamedTextDialogTest, AnUnreadableClipboardOpensNothing) {
  h.clipboard.unreadable = true;
  Open();
  EXPECT_EQ(program->named_text().form3(), nullptr);
  EXPECT_EQ(Panel("Text3").text(), "Text3");
}

}  // namespace
}  // namespace clipnest
