// The settings dialog: the options, the opacity slider, the save folder, the colours, the help
// and the links, each written to the settings file at once.
#include "behaviour/program_fixture.h"

namespace clipnest {

using ::testing::_;

class SettingsDialogTest : public ProgramTest {
 protected:
  void Open() { Panel("Image7").Click(); }
  Control& Dialog(const std::string& name) { return SettingsDialog()[name]; }
  void Scroll(ScrollAction action, int position = 0) {
    SettingsDialog().input().Scrolled(Dialog("HScroll1"), action, position);
  }
};

TEST_F(SettingsDialogTest, WithEverythingOnTheOptionsTheSliderAndTheDefaultsWriteAtOnce) {
  Start(
      "[Setup]\r\nSavePath=/clips\r\nBorderColor=8421504\r\nMainColor=15790320\r\n"
      "HotPrintScreen=1\r\nSounds=1\r\nTransparent=1\r\nTransparentValue=200\r\n"
      "BorderColorDef=255\r\nMainColorDef=16711680\r\n");
  Open();  // a first opening writes the options that it ticks; the slider moves from 128
  EXPECT_THAT(Writes(),
              ElementsAre("HotPrintScreen=1", "Sounds=1", "Transparent=1", "TransparentValue=200"));
  EXPECT_EQ(Dialog("Text1").text(), "/clips");
  EXPECT_EQ(SettingsDialog().focused(), &Dialog("Command40"));
  EXPECT_EQ(Dialog("HScroll1").value(), 200);
  EXPECT_EQ(Dialog("Label4").look().back_colour, 8421504u);
  EXPECT_EQ(Dialog("Label5").look().back_colour, 15790320u);
  Dialog("Command40").Click();
  EXPECT_FALSE(SettingsDialog().visible());
  Open();  // a second opening writes nothing
  EXPECT_THAT(Writes(), IsEmpty());
  Dialog("Text1").SetText("typed");
  SettingsDialog().input().CloseRequested();  // after the close box, a first opening again
  Open();
  EXPECT_EQ(Writes().size(), 4u);
  EXPECT_EQ(Dialog("Text1").text(), "/clips");
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Check", "Check", "Check", "SaveSettings", "Settings",
                                  "Settings", "Check", "Check", "Check"));

  Dialog("Check3").Click();  // cleared: opaque, the slider off, the stored opacity kept
  EXPECT_EQ(Panel().opacity(), 255);
  EXPECT_FALSE(Dialog("HScroll1").enabled());
  Dialog("Check3").Click();
  EXPECT_EQ(Panel().opacity(), 200);
  Scroll(ScrollAction::kLineLeft);
  Scroll(ScrollAction::kPageRight);
  Scroll(ScrollAction::kThumbPosition, 300);
  EXPECT_THAT(Writes(), ElementsAre("Transparent=0", "Transparent=1", "TransparentValue=199",
                                    "TransparentValue=209", "TransparentValue=255"));
  for (int i = 0; i < 30; ++i) Scroll(ScrollAction::kPageLeft);
  EXPECT_EQ(Writes().back(), "TransparentValue=1");
  for (const char* box : {"Check1", "Check1", "Check2", "Label11"}) Dialog(box).Click();
  EXPECT_THAT(Writes(), ElementsAre("Sounds=0", "Sounds=1", "HotPrintScreen=0", "BorderColor=255",
                                    "MainColor=16711680"));  // the default colours from the file
  EXPECT_EQ(Seen(), "shown on top border 255 back 16711680 opacity 1 into /clips");
  EXPECT_EQ(Dialog("Label5").look().back_colour, 16711680u);
  EXPECT_THAT(Cues(), ElementsAre("Check", "Check", "Check", "Check", "DefColors"));  // off: silent
}

TEST_F(SettingsDialogTest, OptionsOffAreNotWrittenAndTheFolderIsStoredOnlyByOk) {
  Start();  // HotPrintScreen=0, Sounds=1, Transparent=0
  Open();
  EXPECT_THAT(Writes(), ElementsAre("Sounds=1"));
  EXPECT_FALSE(Dialog("Command3").enabled());
  EXPECT_FALSE(Dialog("HScroll1").enabled());
  EXPECT_EQ(Dialog("HScroll1").value(), 128);
  for (const char* control : {"Check1", "Check2", "Check3", "Text1", "Command3", "HScroll1"})
    SettingsDialog().input().KeyTyped(Dialog(control), 27);
  EXPECT_TRUE(SettingsDialog().visible());
  Type(Dialog("Text1"), "x");
  EXPECT_TRUE(Dialog("Command3").enabled());
  Cues();
  for (const char* button : {"Command1", "Command40"}) {  // only these close on Escape
    Open();
    SettingsDialog().input().KeyTyped(Dialog(button), 27);
    EXPECT_FALSE(SettingsDialog().visible()) << button;
  }
  EXPECT_EQ(Panel("Text4").text(), "/clips");
  Open();  // the typing is kept, nothing was stored
  EXPECT_EQ(Dialog("Text1").text(), "/clipsx");
  EXPECT_TRUE(Dialog("Command3").enabled());
  EXPECT_THAT(Writes(), IsEmpty());
  // A pasted folder: its first line that is not blank, byte for byte in the ANSI code page.
  Dialog("Text1").SetText("\r\n  \nD:\\Мои клипы; #1 = \"x\"\t \r[Other]\nD:\\B");
  Dialog("Command3").Click();
  EXPECT_THAT(SettingsText(), HasSubstr("SavePath=D:\\\xCC\xEE\xE8 \xEA\xEB\xE8\xEF\xFB; #1 = "
                                        "\"x\"\t \r\nBorderColor=8421504\r\n"));
  EXPECT_EQ(Panel("Text4").text(), "D:\\Мои клипы; #1 = \"x\"\t ");  // what the saves use
  for (const char* folder : {" \r\n", ""}) {
    Dialog("Text1").SetText(folder);
    Dialog("Command3").Click();
  }
  EXPECT_THAT(Writes(), ElementsAre(_, "SavePath=", "SavePath="));
  EXPECT_EQ(Panel("Text4").text(), "");
  EXPECT_FALSE(Dialog("Command3").enabled());
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Cancel", "Settings", "Cancel", "Settings",
                                  "SaveSettings", "SaveSettings", "SaveSettings"));
  // The user's paste keeps its first line, as a one-line box of Windows keeps it.
  SettingsDialog().input().TextEdited(Dialog("Text1"), "/new\r\n/other");
  EXPECT_EQ(Dialog("Text1").text(), "/new");
}

TEST_F(SettingsDialogTest, AChosenColourIsAppliedAndWrittenACancelledChooserChangesNothing) {
  Start();
  Open();
  h.colours.answers = {Rgb(255, 0, 0), std::nullopt, std::nullopt};
  Dialog("Label4").Click();
  EXPECT_EQ(Dialog("Label4").look().back_colour, 255u);
  Dialog("Label5").Click();  // cancelled: the cue still plays
  EXPECT_EQ(Dialog("Label5").look().back_colour, 15790320u);
  SettingsDialog().input().CloseRequested();
  Open();
  Dialog("Label4").Click();  // a first cancel after loading does not blacken the border
  EXPECT_EQ(Seen(), "shown on top at 4500,300 border 255 back 15790320 into /clips");
  EXPECT_THAT(Writes(), ElementsAre("Sounds=1", "BorderColor=255", "Sounds=1"));
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Check", "SaveSettings", "SaveSettings", "Settings",
                                  "Check", "SaveSettings"));
  // The chooser starts at the colour last chosen since the dialog was loaded, black at first.
  EXPECT_THAT(h.colours.started_at, ElementsAre(0u, 255u, 0u));
  EXPECT_THAT(h.colours.owners, ElementsAre("Form2", "Form2", "Form2"));
}

TEST_F(SettingsDialogTest, AnOddSettingsFileIsMendedAndItsMessagesShowAboveTheDialog) {
  // A folder of 300 characters, an opacity of nothing, no default border, and no background
  // ever set: the panel has the system's button face, a negative number.
  Start(("[Setup]\r\nSavePath=" + std::string(300, 'x') +
         "\r\nSounds=0\r\nBorderColor=8421504\r\nTransparent=1\r\nTransparentValue=0\r\n"
         "BorderColorDef=no\r\n")
            .c_str());
  EXPECT_EQ(Panel().opacity(), 0);
  Open();  // the slider's least instead of an invisible panel
  EXPECT_EQ(Dialog("Text1").text(), std::string(254, 'x'));
  Messages();
  Dialog("Label11").Click();  // a missing default keeps its colour and writes it again
  EXPECT_THAT(Messages(), ElementsAre("Переменной BorderColorDef не существует",
                                      "Переменной MainColorDef не существует"));
  EXPECT_THAT(Writes(), ElementsAre("Transparent=1", "TransparentValue=1", "BorderColor=8421504",
                                    "MainColor=-2147483633"));
  EXPECT_EQ(Dialog("Label5").look().back_colour, kButtonFace);
  h.WriteSettings("[Setup]\r\nMainColorDef=blue\r\nBorderColorDef=65280\r\n");
  Dialog("Label11").Click();  // one that is not a number is passed over without a message
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_EQ(Seen(),
            "shown on top border 65280 back 2147483663 opacity 1 into " + std::string(254, 'x'));
  SettingsDialog().input().CloseRequested();
  Open();  // now without a folder
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "Такого раздела/переменной SavePath не существует");
  EXPECT_EQ(h.messages.shown[0].owner, "Form2");
  EXPECT_EQ(Dialog("Text1").text(), "");
  EXPECT_FALSE(Dialog("Command3").enabled());
}

TEST_F(SettingsDialogTest, HelpAndLinksGoToTheSystemWithTheirExactArguments) {
  Start();
  Open();
  Cues();
  for (const char* control : {"Command1", "Label9", "Label10"}) Dialog(control).Click();
  EXPECT_THAT(h.requests.asked,
              ElementsAre("help opened", "web page " + Dialog("Label9").text() + " opened",
                          "mail to " + Dialog("Label10").text() + ", subject Clipnest v1.0"));
  EXPECT_THAT(Cues(), IsEmpty());
}

}  // namespace clipnest
