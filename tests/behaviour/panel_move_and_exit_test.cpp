// Moving the panel with the mouse, ending the program, and the tool launchers.
#include "behaviour/program_fixture.h"

namespace clipnest {

class PanelTest : public ProgramTest {
 protected:
  PanelTest() { Start(); }
  // A press and a release at panel points in pixels, 15 twips each.
  void Press(int x, int y, MouseButton button) { Panel().input().Pressed(x * 15, y * 15, button); }
  void Release(int x, int y, MouseButton button) {
    Panel().input().Released(x * 15, y * 15, button);
  }
  void Drag(int x, int y, MouseButton button, float to_left, float to_top) {
    Press(x, y, button);
    Panel().input().Moved(to_left, to_top);
    Panel().input().MoveFinished();
  }
};

TEST_F(PanelTest, AnyButtonOnTheSurfaceDragsAndThePlaceIsWrittenOnceAfterTheRelease) {
  Press(19, 10, MouseButton::kRight);  // the gap between the first two save buttons
  Panel().input().Moved(6000, 450);
  EXPECT_THAT(Writes(), IsEmpty());  // not yet
  Panel().input().MoveFinished();
  Drag(0, 20, MouseButton::kMiddle, -120, 15);  // the frame
  Drag(135, 2, MouseButton::kLeft, -120, 15);   // not moved: written again
  EXPECT_THAT(Writes(),
              ElementsAre("Left=6000", "Top=450", "Left=-120", "Top=15", "Left=-120", "Top=15"));
  EXPECT_THAT(Cues(), IsEmpty());
  Start(nullptr);  // the next start puts the panel there
  EXPECT_EQ(Seen(), "shown on top at -120,15 border 8421504 back 15790320 into /clips");
}

TEST_F(PanelTest, APressOnAPictureButtonIsTheButtonsOwn) {
  h.clipboard.text = "x";
  Press(5, 5, MouseButton::kRight);  // neither a drag nor a click
  Release(5, 5, MouseButton::kRight);
  Press(5, 5, MouseButton::kLeft);  // let go elsewhere: no click
  Release(40, 5, MouseButton::kLeft);
  EXPECT_THAT(Cues(), IsEmpty());
  Press(5, 5, MouseButton::kLeft);
  Release(6, 6, MouseButton::kLeft);
  EXPECT_THAT(Cues(), ElementsAre("SaveTxt1"));
  EXPECT_THAT(SettingsText(), HasSubstr("Left=4500\r\n"));
}

TEST_F(PanelTest, ExitPlaysItsCueBeforeWritingThePlaceAndEndsTheProgram) {
  Panel().input().Moved(3000, 600);
  std::string file_at_cue;
  h.sounds.on_play = [&] { file_at_cue = SettingsText(); };
  Press(118, 10, MouseButton::kLeft);
  Release(118, 10, MouseButton::kLeft);
  EXPECT_TRUE(h.process.ended);
  EXPECT_THAT(Cues(), ElementsAre("Exit"));
  EXPECT_THAT(file_at_cue, HasSubstr("Left=4500\r\nTop=300\r\n"));
  EXPECT_THAT(SettingsText(), HasSubstr("Left=3000\r\nTop=600\r\n"));
}

TEST_F(PanelTest, ARequestToCloseEndsTheProgramWithThePlaceWrittenAndNoCue) {
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
  EXPECT_THAT(h.process.started,
              ElementsAre("cmd /X /C start notepad.exe", "cmd /X /C start notepad.exe",
                          "cmd /X /C start mspaint.exe", "cmd /X /C start calc.exe"));
}

}  // namespace clipnest
