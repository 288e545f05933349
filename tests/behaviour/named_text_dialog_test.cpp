// The named text dialog: opened from the panel, it saves the captured clipboard text under the
// name the user types.
#include "behaviour/program_fixture.h"

namespace clipnest {

class NamedTextDialogTest : public ProgramTest {
 protected:
  NamedTextDialogTest() {
    Start();
    h.clipboard.text = "captured";
  }
  void Open() { Panel("Image2").Click(); }
  Control& Dialog(const std::string& name) { return NamedDialog()[name]; }
};

TEST_F(NamedTextDialogTest, TheTextCapturedAtOpeningIsSavedUnderTheTypedName) {
  h.clipboard.unreadable = true;  // an unreadable clipboard opens nothing
  Open();
  EXPECT_EQ(program->named_text().form3(), nullptr);
  h.clipboard.unreadable = false;
  Cues();
  Open();
  EXPECT_TRUE(NamedDialog().topmost() && NamedDialog().centred() && NamedDialog().visible());
  EXPECT_EQ(NamedDialog().focused(), &Dialog("Text1"));
  Type(Dialog("Text1"), "s/r");
  h.clipboard.text = "later";
  Dialog("Text1").KeyPress(13);  // the folder s does not exist
  EXPECT_FALSE(NamedDialog().visible());
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  Open();  // the same window, the name cleared once; clearing an empty name is no change
  Open();
  EXPECT_EQ(h.windows.created["Form3"], 1);
  h.disk.MakeFolder("/clips/s");
  Type(Dialog("Text1"), "s/r");
  h.clipboard.text = "too late";
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/s/r.txt"), "later\r\n");
  EXPECT_FALSE(NamedDialog().visible());
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings", "SaveSettings", "SaveSettings",
                                  "Error", "Settings", "SaveSettings", "Settings", "SaveSettings",
                                  "SaveSettings", "SaveSettings", "SaveTxt2"));
}

TEST_F(NamedTextDialogTest, EscapeCancelsWithItsCueTheCancelButtonSilentlyOtherKeysNothing) {
  for (const char* control : {"Text1", "Command1", "Command2", "Command3"}) {
    Open();
    Dialog(control).KeyPress(27);
    EXPECT_FALSE(NamedDialog().visible()) << control;
  }
  Open();
  Dialog("Command1").KeyPress(13);
  Dialog("Command2").KeyPress('a');
  EXPECT_TRUE(NamedDialog().visible());
  Dialog("Command2").Click();
  EXPECT_FALSE(NamedDialog().visible());
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Cancel", "Settings", "Cancel", "Settings", "Cancel",
                                  "Settings", "Cancel", "Settings"));
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
}

TEST_F(NamedTextDialogTest, ItWritesTheLastCapturedTextUnderTheNameProposedOrTyped) {
  Open();
  h.clipboard.text = "from clipboard";
  Dialog("Command3").Click();
  EXPECT_EQ(NamedDialog().focused(), &Dialog("Command1"));
  Dialog("Command1").Click();
  EXPECT_EQ(h.disk.Content("/clips/from clipboard.txt"), "captured\r\n");
  h.clipboard.text = "two\r\nlines";  // a name of two lines fails silently, the dialog closes
  Open();
  Dialog("Command3").Click();
  Dialog("Command1").Click();
  EXPECT_FALSE(NamedDialog().visible());
  EXPECT_EQ(h.disk.FileNames().size(), 2u);
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings", "SaveTxt2", "Settings",
                                  "SaveSettings", "SaveSettings"));
  Open();  // a stamped save while it is open changes what it writes
  h.clipboard.text = "newer";
  Panel("Image1").Click();
  Type(Dialog("Text1"), "x");
  Dialog("Text1").KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/x.txt"), "newer\r\n");
  Open();
  Type(Dialog("Text1"), "typed");
  NamedDialog().input().CloseRequested();
  EXPECT_EQ(program->named_text().form3(), nullptr);
  Open();
  EXPECT_EQ(h.windows.created["Form3"], 2);
  EXPECT_TRUE(NamedDialog().visible() && NamedDialog().topmost());
  EXPECT_EQ(Dialog("Text1").text(), "");
}

}  // namespace clipnest
