// The named text dialog: opened from the panel, it saves the captured clipboard text under the
// name the user types.
#include "behaviour/program_fixture.h"

namespace clipnest {
namespace {

class NamedTextDialogTest : public ProgramTest {
 protected:
  NamedTextDialogTest() {
    Start();
    h.clipboard.text = "captured";
  }
  void Open() { Panel("Image2").Click(); }
  Form& Dialog() { return NamedDialog(); }
  Control& Dialog(const std::string& name) { return Dialog()[name]; }
  void Enter() { Dialog("Text1").KeyPress(13); }
};

TEST_F(NamedTextDialogTest, TheTextCapturedAtOpeningIsSavedUnderTheTypedName) {
  h.clipboard.unreadable = true;  // an unreadable clipboard opens nothing
  Open();
  EXPECT_EQ(program->named_text().form3(), nullptr);
  h.clipboard.unreadable = false;
  Cues();
  Open();
  EXPECT_TRUE(Dialog().visible());
  EXPECT_TRUE(Dialog().topmost());
  EXPECT_TRUE(Dialog().centred());
  EXPECT_EQ(Dialog().focused(), &Dialog("Text1"));
  Type(Dialog("Text1"), "s/r");
  h.clipboard.text = "later";
  Enter();  // the folder s does not exist
  EXPECT_FALSE(Dialog().visible());
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  EXPECT_THAT(Cues(),
              ElementsAre("Settings", "SaveSettings", "SaveSettings", "SaveSettings", "Error"));
  // Reopened: the same window, the name cleared once; clearing an empty name is no change.
  Open();
  EXPECT_EQ(Dialog("Text1").text(), "");
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings", "Settings"));
  EXPECT_EQ(h.windows.created["Form3"], 1);
  h.disk.MakeFolder("/clips/s");
  Type(Dialog("Text1"), "s/r");
  h.clipboard.text = "too late";
  Enter();
  EXPECT_EQ(h.disk.Content("/clips/s/r.txt"), "later\r\n");
  EXPECT_FALSE(Dialog().visible());
  EXPECT_EQ(Cues().back(), "SaveTxt2");
}

TEST_F(NamedTextDialogTest, EscapeCancelsWithItsCueTheCancelButtonSilentlyOtherKeysNothing) {
  for (const char* control : {"Text1", "Command1", "Command2", "Command3"}) {
    Open();
    Dialog(control).KeyPress(27);
    EXPECT_FALSE(Dialog().visible()) << control;
  }
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Cancel", "Settings", "Cancel", "Settings", "Cancel",
                                  "Settings", "Cancel"));
  Open();
  Dialog("Command1").KeyPress(13);
  Dialog("Command2").KeyPress('a');
  EXPECT_TRUE(Dialog().visible());
  Dialog("Command2").Click();
  EXPECT_FALSE(Dialog().visible());
  EXPECT_THAT(Cues(), ElementsAre("Settings"));
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
}

TEST_F(NamedTextDialogTest, ThePictureButtonProposesTheClipboardTextAsTheName) {
  Open();
  h.clipboard.text = "from clipboard";
  Dialog("Command3").Click();
  EXPECT_EQ(Dialog("Text1").text(), "from clipboard");
  EXPECT_EQ(Dialog().focused(), &Dialog("Command1"));
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings"));
  Dialog("Command1").Click();
  EXPECT_EQ(h.disk.Content("/clips/from clipboard.txt"), "captured\r\n");
  // A name of two lines fails silently and the dialog closes.
  h.clipboard.text = "two\r\nlines";
  Open();
  Dialog("Command3").Click();
  Cues();
  Dialog("Command1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_FALSE(Dialog().visible());
  EXPECT_EQ(h.disk.FileNames().size(), 2u);
}

TEST_F(NamedTextDialogTest, AStampedSaveChangesWhatItWritesTheCloseBoxDiscardsIt) {
  Open();
  h.clipboard.text = "newer";
  Panel("Image1").Click();
  Type(Dialog("Text1"), "x");
  Enter();
  EXPECT_EQ(h.disk.Content("/clips/x.txt"), "newer\r\n");
  Open();
  Type(Dialog("Text1"), "typed");
  Form3* first = program->named_text().form3();
  Dialog().input().CloseRequested();
  EXPECT_FALSE(first->form().visible());
  Open();
  EXPECT_EQ(h.windows.created["Form3"], 2);
  EXPECT_TRUE(Dialog().visible());
  EXPECT_TRUE(Dialog().topmost());
  EXPECT_EQ(Dialog("Text1").text(), "");
}

}  // namespace
}  // namespace clipnest
