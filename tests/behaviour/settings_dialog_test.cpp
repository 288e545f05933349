// The settings dialog: the options, the opacity slider, the save folder, the colours, the help
// and the links, each written to the settings file at once.
#include "behaviour/program_fixture.h"

#include <gmock/gmock.h>

#include <utility>

namespace clipnest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class SettingsDialogTest : public ProgramTest {
 protected:
  void StartWithEverythingOn() {
    h.WriteSettings(
        "[Setup]\r\nLeft=4500\r\nTop=300\r\nSavePath=/clips\r\nBorderColor=8421504\r\n"
        "MainColor=15790320\r\nHotPrintScreen=1\r\nSounds=1\r\nTransparent=1\r\n"
        "TransparentValue=200\r\nBorderColorDef=255\r\nMainColorDef=16711680\r\n");
    Start();
  }
  // The keys written since the last look.
  std::vector<std::string> Writes() { return std::exchange(h.profile.writes, {}); }
  void Open() { Panel("Image7").Click(); }
  Form2& Dialog() { return *program->settings_dialog().form2(); }
  Control& Dialog(const std::string& name) { return Dialog()[name]; }
  void Scroll(ScrollAction action, int position = 0) {
    Dialog().form().input().Scrolled(Dialog("HScroll1"), action, position);
  }
};

TEST_F(SettingsDialogTest, AFirstOpeningWithEverythingOnWritesTheOptionsAgainASecondWritesNothing) {
  StartWithEverythingOn();
  Writes();
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Check", "Check", "Check"));
  // Load ticks the PrintScreen box, the opening the other two; the slider moves from 128.
  EXPECT_THAT(Writes(),
              ElementsAre("HotPrintScreen=1", "Sounds=1", "Transparent=1", "TransparentValue=200"));
  Form& dialog = Dialog().form();
  EXPECT_TRUE(dialog.visible());
  EXPECT_TRUE(dialog.topmost());
  EXPECT_EQ(dialog.caption(), "Clipnest v1.0 Настройки");
  EXPECT_EQ(dialog.focused(), &Dialog("Command40"));
  EXPECT_EQ(Dialog("Text1").text(), "/clips");
  EXPECT_FALSE(Dialog("Command3").enabled());
  EXPECT_TRUE(Dialog("HScroll1").enabled());
  EXPECT_EQ(Dialog("HScroll1").value(), 200);
  EXPECT_EQ(Panel().opacity(), 200);
  EXPECT_EQ(Dialog("Label4").look().back_colour, 8421504u);
  EXPECT_EQ(Dialog("Label5").look().back_colour, 15790320u);

  Dialog("Command40").Click();
  EXPECT_FALSE(dialog.visible());
  EXPECT_THAT(Cues(), ElementsAre("SaveSettings"));
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings"));
  EXPECT_THAT(Writes(), IsEmpty());
  EXPECT_EQ(h.windows.created["Form2"], 1);
}

TEST_F(SettingsDialogTest, AfterTheCloseBoxTheNextOpeningIsAFirstOneAgain) {
  StartWithEverythingOn();
  Open();
  Dialog("Text1").SetText("typed");
  Dialog().form().input().CloseRequested();
  EXPECT_EQ(program->settings_dialog().form2(), nullptr);
  Cues();
  Writes();
  Open();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Check", "Check", "Check"));
  EXPECT_EQ(Writes().size(), 4u);
  EXPECT_EQ(h.windows.created["Form2"], 2);
  EXPECT_EQ(Dialog("Text1").text(), "/clips");
}

TEST_F(SettingsDialogTest, WithEverythingOffOpeningWritesNothingAndShowsTheDesign) {
  Start();  // HotPrintScreen=0, Sounds=1, Transparent=0
  program->module1().SoundsFlag = "0";
  Writes();
  Open();
  EXPECT_THAT(Writes(), IsEmpty());
  for (const char* box : {"Check1", "Check2", "Check3"}) EXPECT_EQ(Dialog(box).value(), 0);
  EXPECT_FALSE(Dialog("HScroll1").enabled());
  EXPECT_EQ(Dialog("HScroll1").value(), 128);
}

TEST_F(SettingsDialogTest, TheTransparencyBoxAndTheSliderSetTheOpacityAndWriteIt) {
  StartWithEverythingOn();
  Open();
  Cues();
  Dialog("Check3").Click();  // cleared: opaque, the slider off, the stored opacity kept
  EXPECT_EQ(Panel().opacity(), 255);
  EXPECT_FALSE(Dialog("HScroll1").enabled());
  EXPECT_THAT(SettingsText(), HasSubstr("Transparent=0\r\nTransparentValue=200\r\n"));
  Dialog("Check3").Click();
  EXPECT_EQ(Panel().opacity(), 200);
  EXPECT_THAT(Cues(), ElementsAre("Check", "Check"));

  // The slider's steps and ends (the form model's rules move it: the forms' test).
  Scroll(ScrollAction::kLineLeft);
  EXPECT_EQ(Panel().opacity(), 199);
  Scroll(ScrollAction::kPageRight);
  EXPECT_EQ(Panel().opacity(), 209);
  Scroll(ScrollAction::kThumbPosition, 300);
  EXPECT_EQ(Panel().opacity(), 255);
  EXPECT_THAT(SettingsText(), HasSubstr("TransparentValue=255\r\n"));
  for (int i = 0; i < 30; ++i) Scroll(ScrollAction::kPageLeft);
  EXPECT_EQ(Panel().opacity(), 1);
  EXPECT_EQ(program->module1().TransparentValue, 1);
  EXPECT_EQ(program->module1().TransparentValueText, "1");
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(SettingsDialogTest, AnOpacityOfNothingBecomesTheSlidersLeastInsteadOfAnInvisiblePanel) {
  h.WriteSettings("[Setup]\r\nSounds=0\r\nTransparent=1\r\nTransparentValue=0\r\n");
  Start();
  EXPECT_EQ(Panel().opacity(), 0);
  Open();
  EXPECT_EQ(Dialog("HScroll1").value(), 1);
  EXPECT_EQ(Panel().opacity(), 1);
  EXPECT_THAT(SettingsText(), HasSubstr("TransparentValue=1\r\n"));
}

TEST_F(SettingsDialogTest, TheSoundsBoxSwitchesEveryCueWithItsOwnCueOnlyWhenTurnedOn) {
  StartWithEverythingOn();
  Open();
  Cues();
  Dialog("Check1").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(SettingsText(), HasSubstr("Sounds=0\r\n"));
  Dialog("Check1").Click();
  EXPECT_THAT(Cues(), ElementsAre("Check"));
  Dialog("Check2").Click();
  EXPECT_EQ(program->module1().HotPrintScreenFlag, "0");
  EXPECT_THAT(SettingsText(), HasSubstr("HotPrintScreen=0\r\n"));
}

TEST_F(SettingsDialogTest, OnlyTheCloseAndHelpButtonsCloseOnEscape) {
  Start();
  Open();
  for (const char* control : {"Check1", "Check2", "Check3", "Text1", "Command3", "HScroll1"}) {
    Dialog().form().input().KeyTyped(Dialog(control), 27);
    EXPECT_TRUE(Dialog().form().visible()) << control;
  }
  Cues();
  for (const char* button : {"Command40", "Command1"}) {
    Open();
    Cues();
    Dialog().form().input().KeyTyped(Dialog(button), 27);
    EXPECT_FALSE(Dialog().form().visible()) << button;
    EXPECT_THAT(Cues(), ElementsAre("Cancel"));
  }
}

TEST_F(SettingsDialogTest, TheFolderIsStoredAsTypedOnlyByOk) {
  Start();
  Open();
  Type(Dialog("Text1"), "x");
  EXPECT_TRUE(Dialog("Command3").enabled());
  Dialog("Command40").Click();  // closed without OK: nothing stored, the typing kept
  EXPECT_THAT(SettingsText(), HasSubstr("SavePath=/clips\r\n"));
  EXPECT_EQ(Panel("Text4").text(), "/clips");
  Open();
  EXPECT_EQ(Dialog("Text1").text(), "/clipsx");
  EXPECT_TRUE(Dialog("Command3").enabled());

  Dialog("Text1").SetText("");
  Cues();
  Dialog("Command3").Click();
  EXPECT_THAT(SettingsText(), HasSubstr("SavePath=\r\n"));
  EXPECT_EQ(Panel("Text4").text(), "");
  EXPECT_FALSE(Dialog("Command3").enabled());
  EXPECT_THAT(Cues(), ElementsAre("SaveSettings"));
}

TEST_F(SettingsDialogTest, AFolderPastedWithItsLineBreakIsTheFolderOfTheNextSaves) {
  h.disk.MakeFolder("/new");
  Start();
  Open();
  // The user's paste keeps its first line, as a one-line box of Windows keeps it.
  Control& folder = Dialog("Text1");
  folder.SetText("");
  Dialog().form().input().TextEdited(folder, "/new\r\n/other\r\n");
  EXPECT_EQ(folder.text(), "/new");
  // A folder text with a line break that reached the box all the same is stored as its first
  // line, and the saves use just that.
  folder.SetText("\r\n/new\r\n");
  Dialog("Command3").Click();
  EXPECT_THAT(SettingsText(), HasSubstr("SavePath=/new\r\n"));
  Panel("Image1").Click();
  EXPECT_TRUE(h.disk.Exists("/new/Text-06.12.2026-09.05.03.txt"));
}

TEST_F(SettingsDialogTest, AMissingFolderKeyShowsItsMessageAboveTheDialog) {
  h.WriteSettings("[Setup]\r\nSounds=0\r\n");
  Start();
  h.messages.shown.clear();
  Open();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "Такого раздела/переменной SavePath не существует");
  EXPECT_EQ(h.messages.shown[0].owner, "Form2");
  EXPECT_EQ(Dialog("Text1").text(), "");
  EXPECT_FALSE(Dialog("Command3").enabled());
  EXPECT_EQ(Panel("Text4").text(), "Text4");
}

TEST_F(SettingsDialogTest, AChosenColourIsAppliedAndWrittenACancelledChooserChangesNothing) {
  Start();
  Open();
  Cues();
  h.colours.answers = {Rgb(255, 0, 0), std::nullopt, std::nullopt};
  Dialog("Label4").Click();
  EXPECT_EQ(Dialog("Label4").look().back_colour, 255u);
  EXPECT_EQ(Panel("Shape1").look().fore_colour, 255u);
  EXPECT_THAT(SettingsText(), HasSubstr("BorderColor=255\r\n"));
  // Cancelled: the background and its key stay as they were; the cue still plays.
  Dialog("Label5").Click();
  EXPECT_EQ(Panel().back_colour(), 15790320u);
  EXPECT_EQ(Dialog("Label5").look().back_colour, 15790320u);
  EXPECT_THAT(SettingsText(), HasSubstr("MainColor=15790320\r\n"));
  // A first cancel right after loading does not blacken the border either.
  Dialog().form().input().CloseRequested();
  Open();
  Dialog("Label4").Click();
  EXPECT_EQ(Panel("Shape1").look().fore_colour, 255u);
  EXPECT_THAT(Cues(),
              ElementsAre("SaveSettings", "SaveSettings", "Settings", "Check", "SaveSettings"));
  // The chooser starts at the colour last chosen since the dialog was loaded, black at first.
  EXPECT_THAT(h.colours.started_at, ElementsAre(0u, 255u, 0u));
  EXPECT_THAT(h.colours.owners, ElementsAre("Form2", "Form2", "Form2"));
}

TEST_F(SettingsDialogTest, DefaultsResetBothColoursFromTheFile) {
  StartWithEverythingOn();
  Open();
  Cues();
  Dialog("Label11").Click();
  EXPECT_EQ(Panel("Shape1").look().fore_colour, 255u);
  EXPECT_EQ(Panel().back_colour(), 16711680u);
  EXPECT_EQ(Dialog("Label5").look().back_colour, 16711680u);
  EXPECT_THAT(SettingsText(), HasSubstr("BorderColor=255\r\nMainColor=16711680\r\n"));
  EXPECT_THAT(SettingsText(), HasSubstr("BorderColorDef=255\r\nMainColorDef=16711680\r\n"));
  EXPECT_THAT(Cues(), ElementsAre("DefColors"));
}

TEST_F(SettingsDialogTest, AMissingDefaultKeepsItsColourAndWritesItAgain) {
  // No background ever set: the panel has the system's button face, a negative number.
  h.WriteSettings("[Setup]\r\nSounds=1\r\nBorderColor=8421504\r\nBorderColorDef=no\r\n");
  Start();
  Open();
  h.messages.shown.clear();
  Dialog("Label11").Click();
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[0].text, "Переменной BorderColorDef не существует");
  EXPECT_EQ(h.messages.shown[1].text, "Переменной MainColorDef не существует");
  EXPECT_THAT(SettingsText(), HasSubstr("BorderColor=8421504\r\n"));
  EXPECT_THAT(SettingsText(), HasSubstr("MainColor=-2147483633\r\n"));
  EXPECT_EQ(Dialog("Label5").look().back_colour, kButtonFace);
}

TEST_F(SettingsDialogTest, ADefaultThatIsNotANumberIsPassedOverWithoutAMessage) {
  h.WriteSettings(
      "[Setup]\r\nSounds=0\r\nMainColor=15790320\r\nMainColorDef=blue\r\n"
      "BorderColorDef=65280\r\n");
  Start();
  Open();
  h.messages.shown.clear();
  Dialog("Label11").Click();
  EXPECT_THAT(h.messages.shown, IsEmpty());
  EXPECT_EQ(Panel().back_colour(), 15790320u);
  EXPECT_EQ(Panel("Shape1").look().fore_colour, 65280u);
}

TEST_F(SettingsDialogTest, HelpAndLinksGoToTheSystemWithTheirExactArguments) {
  Start();
  Open();
  Cues();
  Dialog("Command1").Click();
  Dialog("Label9").Click();
  Dialog("Label10").Click();
  EXPECT_THAT(h.requests.asked,
              ElementsAre("help opened", "web page " + Dialog("Label9").text() + " opened",
                          "mail to " + Dialog("Label10").text() + ", subject Clipnest v1.0"));
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(Dialog("Label9").text(), Not(IsEmpty()));
}

}  // namespace
}  // namespace clipnest
