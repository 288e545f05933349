// What the user sees and hears when the panel starts.
#include "behaviour/program_fixture.h"

namespace clipnest {
namespace {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, WithoutASettingsFileNineMessagesComeFirstAndThePanelKeepsItsDesign) {
  bool shown_or_ticking_during_a_message = false;
  h.messages.on_show = [&] {
    shown_or_ticking_during_a_message |= Panel().visible() || Panel("Timer1").ticking();
  };
  Start(nullptr);
  EXPECT_FALSE(shown_or_ticking_during_a_message);
  for (const auto& message : h.messages.shown) EXPECT_EQ(message.caption, "Clipnest");
  EXPECT_THAT(
      Messages(),
      ElementsAre("Переменной Left не существует", "Переменной Top не существует",
                  "Переменной SavePath не существует", "Переменной BorderColor не существует",
                  "Переменной MainColor не существует", "Переменной HotPrintScreen не существует",
                  "Переменной Sounds не существует", "Переменной Transparent не существует",
                  "Переменной TransparentValue не существует"));
  EXPECT_TRUE(Panel().visible());
  EXPECT_TRUE(Panel("Timer1").ticking());
  EXPECT_EQ(Panel("Timer1").tick_interval_ms(), 10);
  EXPECT_FALSE(Panel().left().has_value());  // the window manager places it
  EXPECT_EQ(Panel().back_colour(), kButtonFace);
  EXPECT_EQ(Panel("Shape1").look().fore_colour, Rgb(128, 128, 128));
  EXPECT_FALSE(Panel().layered());
  EXPECT_THAT(start_cues, IsEmpty());
  EXPECT_FALSE(h.disk.Exists(h.kSettingsPath));  // nothing is written at start-up
  // Until a folder is read, the save folder is the text "Text4".
  h.disk.MakeFolder("Text4");
  Panel("Image1").Click();
  EXPECT_TRUE(h.disk.Exists("Text4/Text-06.12.2026-09.05.03.txt"));
}

TEST_F(StartUpTest, EveryKeyPresentWhateverTheCaseOfItsNameAppliesPlaceColoursFolderAndOpacity) {
  Start(
      "[SETUP]\r\nleft=4500\r\nTOP=300\r\nsavepath=D:\\Clips\r\nBorderColor=255\r\n"
      "maincolor=16711680\r\nHotPrintScreen=1\r\nsounds=1\r\ntransparent=1\r\n"
      "TRANSPARENTVALUE=128\r\n");
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_EQ(Panel().left(), 4500.0f);
  EXPECT_EQ(Panel().top(), 300.0f);
  EXPECT_EQ(Panel().width(), 2055);
  EXPECT_EQ(Panel().height(), 315);
  EXPECT_EQ(Panel("Shape1").look().fore_colour, Rgb(255, 0, 0));
  EXPECT_EQ(Panel().back_colour(), Rgb(0, 0, 255));
  EXPECT_EQ(Panel("Text4").text(), "D:\\Clips");
  EXPECT_TRUE(Panel().topmost());
  EXPECT_TRUE(Panel().layered());
  EXPECT_EQ(Panel().opacity(), 128);
  EXPECT_THAT(start_cues, ElementsAre("Load"));
}

TEST_F(StartUpTest, ValuesThatAreNotNumbersAreReadAsDesigned) {
  Start(
      "[Setup]\r\nLeft=x100\r\nTop=12.7px\r\nSavePath=\r\nBorderColor=red\r\nMainColor=\r\n"
      "HotPrintScreen=1\r\nSounds=yes\r\nTransparent=1\r\nTransparentValue=300\r\n");
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_EQ(Panel().left(), 0.0f);  // position is read leniently
  EXPECT_EQ(Panel().top(), 12.7f);
  EXPECT_EQ(Panel("Text4").text(), "");  // an empty folder is present
  EXPECT_EQ(Panel("Shape1").look().fore_colour, Rgb(128, 128, 128));
  EXPECT_EQ(Panel().back_colour(), kButtonFace);
  EXPECT_TRUE(Panel().layered());
  EXPECT_EQ(Panel().opacity(), 0);     // the value kept its initial 0
  EXPECT_THAT(start_cues, IsEmpty());  // "yes" is not the number 1
}

TEST_F(StartUpTest, AValueOfNoCountsAsMissingAndTransparentZeroLeavesThePanelOpaque) {
  Start("[Setup]\r\nSounds=no\r\nTransparent=0\r\nTransparentValue=100\r\n");
  EXPECT_EQ(Messages().size(), 7u);  // Sounds among them
  EXPECT_FALSE(Panel().layered());
  EXPECT_TRUE(Panel().visible());
}

TEST_F(StartUpTest, ASecondCopyEndsBeforeItShowsReadsOrPlaysAnything) {
  h.WriteSettings(kUsual);
  h.process.another_running = true;
  program = std::make_unique<Program>(h.platform);
  EXPECT_THROW(program->Start(), headless::ProcessEnded);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_FALSE(Panel().visible());
  EXPECT_FALSE(Panel().left().has_value());
  EXPECT_EQ(SettingsText(), kUsual);
}

}  // namespace
}  // namespace clipnest
