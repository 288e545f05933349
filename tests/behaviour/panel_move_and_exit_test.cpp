// Moving the panel with the mouse, the exit button, a request to close from outside, and the
// tool launchers.
#include "behaviour/program_fixture.h"

#include <gmock/gmock.h>

namespace clipnest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class PanelTest : public ProgramTest {
 protected:
  PanelTest() { Start(); }
  // A press at a panel point in pixels (15 twips each).
  bool Press(int x, int y, MouseButton button) {
    return Panel().input().Pressed(x * 15, y * 15, button);
  }
  void Drag(int x, int y, MouseButton button, float to_left, float to_top) {
    Press(x, y, button);
    Panel().input().Moved(to_left, to_top);
    Panel().input().MoveFinished();
  }
};

TEST_F(PanelTest, AnyButtonOnTheSurfaceDragsAndThePlaceIsWrittenOnceAfterTheRelease) {
  // The gap between the first two save buttons, with the right button.
  Press(19, 10, MouseButton::kRight);
  Panel().input().Moved(6000, 450);
  EXPECT_THAT(SettingsText(), HasSubstr("Left=4500\r\nTop=300\r\n"));  // not yet
  Panel().input().MoveFinished();
  EXPECT_THAT(SettingsText(), HasSubstr("Left=6000\r\nTop=450\r\n"));
  EXPECT_THAT(Cues(), IsEmpty());

  // The frame, with the middle button; a second drag leaves only the second place.
  Drag(0, 20, MouseButton::kMiddle, -120, 15);
  EXPECT_THAT(SettingsText(), HasSubstr("Left=-120\r\nTop=15\r\n"));

  // A press that does not move the panel writes the same place again.
  h.disk.SetContent(h.kSettingsPath, "[Setup]\r\n");
  Drag(135, 2, MouseButton::kLeft, -120, 15);
  EXPECT_EQ(SettingsText(), "[Setup]\r\nLeft=-120\r\nTop=15\r\n");

  // The next start puts the panel there.
  program.reset();
  Start();
  EXPECT_EQ(Panel().left(), -120.0f);
  EXPECT_EQ(Panel().top(), 15.0f);
}

TEST_F(PanelTest, APressOnAPictureButtonIsTheButtonsOwn) {
  h.clipboard.text = "x";
  // The right button on the first save button: neither a drag nor a click.
  EXPECT_TRUE(Press(5, 5, MouseButton::kRight));
  Panel().input().Released(5 * 15, 5 * 15, MouseButton::kRight);
  EXPECT_THAT(Cues(), IsEmpty());
  // The left button, let go elsewhere: no click.
  Press(5, 5, MouseButton::kLeft);
  Panel().input().Released(40 * 15, 5 * 15, MouseButton::kLeft);
  EXPECT_THAT(Cues(), IsEmpty());
  // Pressed and let go over it: the save.
  Press(5, 5, MouseButton::kLeft);
  Panel().input().Released(6 * 15, 6 * 15, MouseButton::kLeft);
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1"));
  EXPECT_THAT(SettingsText(), HasSubstr("Left=4500\r\n"));
}

TEST_F(PanelTest, ExitPlaysItsCueBeforeWritingThePlaceAndEndsTheProgram) {
  Panel().input().Moved(3000, 600);
  std::string file_at_cue;
  h.sounds.on_play = [&] { file_at_cue = SettingsText(); };
  Panel().input().Pressed(118 * 15, 10 * 15, MouseButton::kLeft);
  Panel().input().Released(118 * 15, 10 * 15, MouseButton::kLeft);
  EXPECT_TRUE(h.process.ended);
  EXPECT_THAT(Cues(), ElementsAre("Exit"));
  EXPECT_THAT(file_at_cue, HasSubstr("Left=4500\r\nTop=300\r\n"));
  EXPECT_THAT(SettingsText(), HasSubstr("Left=3000\r\nTop=600\r\n"));
}

TEST_F(PanelTest, ExitWithSoundsOffWritesTheSameKeys) {
  program->module1().SoundsFlag = "0";
  EXPECT_THROW(Panel("Image8").Click(), headless::ProcessEnded);
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(SettingsText(), HasSubstr("Left=4500\r\nTop=300\r\n"));
}

TEST_F(PanelTest, ARequestToCloseEndsTheProgramWithThePlaceWrittenAndNoCue) {
  h.clipboard.text = "captured";
  Panel("Image2").Click();  // a dialog is open
  Cues();
  Panel().input().Moved(1500, 1500);
  Panel().input().CloseRequested();
  EXPECT_TRUE(h.process.ended);
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_THAT(SettingsText(), HasSubstr("Left=1500\r\nTop=1500\r\n"));
}

TEST_F(PanelTest, TheLaunchersPlayTheirCueAndStartTheirToolHiddenWithoutWaiting) {
  for (const char* button : {"Image4", "Image4", "Image5", "Image6"}) Panel(button).Click();
  EXPECT_THAT(Cues(), ElementsAre("LoadNotepad", "LoadNotepad", "LoadPaint", "LoadCalc"));
  EXPECT_THAT(h.requests.asked, ElementsAre("text editor launched", "text editor launched",
                                            "paint program launched", "calculator launched"));
  program->module1().SoundsFlag = "0";
  Panel("Image6").Click();
  EXPECT_THAT(Cues(), IsEmpty());
  EXPECT_EQ(h.requests.asked.size(), 5u);
}

}  // namespace
}  // namespace clipnest
