// Start-up stories: what the user sees and hears when the panel starts, driven on the headless
// platform.
#include "app/program.h"
#include "headless/headless_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace clipnest {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const std::vector<headless::Message>& messages) {
  std::vector<std::string> texts;
  for (const auto& message : messages) texts.push_back(message.text);
  return texts;
}

const char* const kEveryKey =
    "[Setup]\r\nLeft=4500\r\nTop=300\r\nSavePath=D:\\Clips\r\nBorderColor=255\r\n"
    "MainColor=16711680\r\nHotPrintScreen=1\r\nSounds=1\r\nTransparent=0\r\n"
    "TransparentValue=128\r\n";

class StartUpTest : public ::testing::Test {
 protected:
  Program& Start() {
    program = std::make_unique<Program>(h.platform);
    program->Start();
    return *program;
  }
  Form& Panel() { return program->form1().form(); }

  headless::HeadlessPlatform h;
  std::unique_ptr<Program> program;
};

TEST_F(StartUpTest, WithoutASettingsFileNineMessagesComeFirstInOrderAndThePanelKeepsItsDesign) {
  bool panel_visible_during_a_message = false;
  h.messages.on_show = [&] { panel_visible_during_a_message |= Panel().visible(); };
  Start();
  EXPECT_FALSE(panel_visible_during_a_message);
  EXPECT_THAT(
      Texts(h.messages.shown),
      ElementsAre("Переменной Left не существует", "Переменной Top не существует",
                  "Переменной SavePath не существует", "Переменной BorderColor не существует",
                  "Переменной MainColor не существует", "Переменной HotPrintScreen не существует",
                  "Переменной Sounds не существует", "Переменной Transparent не существует",
                  "Переменной TransparentValue не существует"));
  for (const auto& message : h.messages.shown) EXPECT_EQ(message.caption, "Clipnest");
  EXPECT_TRUE(Panel().visible());
  EXPECT_FALSE(Panel().left().has_value());  // the window manager places it
  EXPECT_EQ(Panel().back_colour(), kButtonFace);
  EXPECT_EQ(Panel()["Shape1"].look().fore_colour, Rgb(128, 128, 128));
  EXPECT_EQ(Panel()["Text4"].text(), "Text4");
  EXPECT_EQ(program->module1().SoundsFlag, "no");
  EXPECT_EQ(program->module1().HotPrintScreenFlag, "no");
  EXPECT_EQ(program->module1().TransparentFlag, "no");
  EXPECT_EQ(program->module1().TransparentValueText, "no");
  EXPECT_FALSE(Panel().layered());
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_FALSE(h.disk.Exists(h.kSettingsPath));  // nothing is written at start-up
}

TEST_F(StartUpTest, OnlySoundsOnGivesEightMessagesThenTheLoadCue) {
  h.WriteSettings("[Setup]\r\nSounds=1\r\n");
  Start();
  EXPECT_EQ(h.messages.shown.size(), 8u);
  for (const auto& message : h.messages.shown)
    EXPECT_NE(message.text, "Переменной Sounds не существует");
  EXPECT_THAT(h.sounds.played, ElementsAre("Sounds/Load.wav"));
}

TEST_F(StartUpTest, EveryKeyPresentAppliesPositionColoursFolderAndFlags) {
  h.WriteSettings(kEveryKey);
  Start();
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(Panel().left(), 4500.0f);
  EXPECT_EQ(Panel().top(), 300.0f);
  EXPECT_EQ(Panel().height(), 315);
  EXPECT_EQ(Panel().width(), 2055);
  EXPECT_EQ(Panel()["Shape1"].look().fore_colour, Rgb(255, 0, 0));
  EXPECT_EQ(Panel().back_colour(), Rgb(0, 0, 255));
  EXPECT_EQ(Panel()["Text4"].text(), "D:\\Clips");
  EXPECT_TRUE(Panel().topmost());
  EXPECT_FALSE(Panel().layered());  // Transparent 0 leaves it opaque whatever the value
  EXPECT_EQ(program->module1().TransparentValue, 128);
  EXPECT_THAT(h.sounds.played, ElementsAre("Sounds/Load.wav"));
}

TEST_F(StartUpTest, PositionIsReadLeniently) {
  h.WriteSettings("[Setup]\r\nLeft=x100\r\nTop=12.7px\r\n");
  Start();
  EXPECT_EQ(Panel().left(), 0.0f);
  EXPECT_EQ(Panel().top(), 12.7f);
}

TEST_F(StartUpTest, APositionNoWindowCanTakeLeavesThePanelInPlace) {
  // Beyond the range of a single-precision number, and beyond that of a 32-bit coordinate.
  h.WriteSettings("[Setup]\r\nLeft=1e300\r\nTop=-3e9\r\n");
  Start();
  EXPECT_FALSE(Panel().left());
  EXPECT_FALSE(Panel().top());
  EXPECT_EQ(h.messages.shown.size(), 7u);  // both keys were there
}

TEST_F(StartUpTest, TransparentWithValueMakesThePanelTranslucentFromTheStart) {
  h.WriteSettings("[Setup]\r\nTransparent=1\r\nTransparentValue=128\r\n");
  Start();
  EXPECT_TRUE(Panel().layered());
  EXPECT_EQ(Panel().opacity(), 128);
}

TEST_F(StartUpTest, TransparentWithoutValueWarnsThenAppliesOpacityZero) {
  h.WriteSettings("[Setup]\r\nTransparent=1\r\n");
  Start();
  EXPECT_EQ(h.messages.shown.back().text, "Переменной TransparentValue не существует");
  EXPECT_TRUE(Panel().layered());
  EXPECT_EQ(Panel().opacity(), 0);
  EXPECT_TRUE(Panel().visible());
}

TEST_F(StartUpTest, ValuesThatAreNotNumbersLeaveTheirTargetsAsDesigned) {
  h.WriteSettings(
      "[Setup]\r\nBorderColor=red\r\nMainColor=\r\nTransparent=1\r\nTransparentValue=300\r\n"
      "Sounds=yes\r\n");
  Start();
  EXPECT_EQ(Panel()["Shape1"].look().fore_colour, Rgb(128, 128, 128));
  EXPECT_EQ(Panel().back_colour(), kButtonFace);
  EXPECT_EQ(program->module1().TransparentValueText, "300");
  EXPECT_EQ(Panel().opacity(), 0);       // the value kept its initial 0
  EXPECT_TRUE(h.sounds.played.empty());  // "yes" is not the number 1
}

TEST_F(StartUpTest, AValueOfNoCountsAsMissing) {
  h.WriteSettings("[Setup]\r\nSounds=no\r\n");
  Start();
  EXPECT_EQ(
      std::count_if(h.messages.shown.begin(), h.messages.shown.end(),
                    [](const auto& m) { return m.text == "Переменной Sounds не существует"; }),
      1);
}

TEST_F(StartUpTest, SoundsTwoIsOffAndEmptySavePathIsPresent) {
  h.WriteSettings("[Setup]\r\nSounds=2\r\nSavePath=\r\n");
  Start();
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_EQ(Panel()["Text4"].text(), "");
}

TEST_F(StartUpTest, ASecondCopyEndsBeforeItShowsReadsOrPlaysAnything) {
  h.WriteSettings(kEveryKey);
  h.process.another_running = true;
  program = std::make_unique<Program>(h.platform);
  EXPECT_THROW(program->Start(), headless::ProcessEnded);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_FALSE(Panel().visible());
  EXPECT_FALSE(Panel().left().has_value());
  EXPECT_EQ(h.disk.Content(h.kSettingsPath), kEveryKey);
}

}  // namespace
}  // namespace clipnest
