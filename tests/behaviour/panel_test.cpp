// The panel: its hotkeys polled on every tick of its timer (Ctrl+Alt+C, Pause/Break,
// PrintScreen), moving it with the mouse, ending the program, and the tool launchers.
#include "behaviour/program_fixture.h"
#include "headless/dib_bytes.h"

namespace clipnest {

class PanelTest : public ProgramTest {
 protected:
  PanelTest() { Start(); }
  void PressCtrlAltC() {
    for (int key : {virtual_key::kControl, virtual_key::kAlt, virtual_key::kC}) h.keys.Press(key);
  }
  void HoldPrintScreenOver(int ticks) {
    h.keys.Press(virtual_key::kPrintScreen);
    for (int i = 0; i < ticks; ++i) Tick();
    h.keys.Release(virtual_key::kPrintScreen);
  }
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

TEST_F(PanelTest, CtrlAltCHeldOverThreeTicksOpensTheDialogAfreshOnEachTick) {
  PressCtrlAltC();
  Tick();
  Form& dialog = NamedDialog();
  Type(dialog["Text1"], "ab");
  h.clipboard.text = "newer";
  Tick();
  Tick();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings", "SaveSettings", "Settings",
                                  "SaveSettings", "Settings"));
  EXPECT_TRUE(dialog.visible() && dialog["Text1"].text().empty());
  h.keys.Release(virtual_key::kC);  // two of the three keys do nothing
  Tick();
  EXPECT_THAT(Cues(), IsEmpty());
  dialog["Text1"].KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/.txt"), "newer\r\n");
}

TEST_F(PanelTest, PauseTogglesThePanelOncePerPressAndShowsItAsItWas) {
  Start("[Setup]\r\nLeft=4500\r\nTop=300\r\nSounds=1\r\nTransparent=1\r\nTransparentValue=100\r\n");
  h.keys.Press(virtual_key::kPause);  // held over many ticks: one toggle
  for (int i = 0; i < 12; ++i) Tick();
  h.keys.Release(virtual_key::kPause);
  Tick();
  h.keys.Tap(virtual_key::kPause);  // down and up between two ticks: one toggle
  Tick();
  Tick();
  // Held past the keyboard's repeat delay: a repeat reads "went down" while the key is still
  // down, and is no new press.
  h.keys.Press(virtual_key::kPause);
  Tick();
  h.keys.Release(virtual_key::kPause);
  h.keys.Press(virtual_key::kPause);
  Tick();
  h.keys.Release(virtual_key::kPause);
  Tick();
  h.keys.Tap(virtual_key::kPause);
  Tick();
  EXPECT_THAT(Cues(), ElementsAre("Invisible", "Visible", "Invisible", "Visible"));
  EXPECT_EQ(Seen(),
            "shown on top at 4500,300 border 8421504 back 2147483663 opacity 100 into Text4");
}

TEST_F(PanelTest, PrintScreenTakesTheScreenOncePerPressAndSavesOnEveryTickWhileTheOptionIsOn) {
  h.clipboard.picture = {test_support::InfoHeader(1, 1, 24, 0) + std::string(4, '\0')};
  h.screenshot.shot = {test_support::InfoHeader(2, 1, 24, 0) + std::string(8, '\x7f')};
  ASSERT_TRUE(h.screenshot.wanted);
  EXPECT_FALSE(h.screenshot.wanted());  // the system's own screenshot follows the option
  HoldPrintScreenOver(3);
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  program->module1().HotPrintScreenFlag = "1";
  EXPECT_TRUE(h.screenshot.wanted());
  Tick();
  HoldPrintScreenOver(3);  // one press over three ticks: one screenshot, taken before the saves
  EXPECT_EQ(h.disk.Content("/clips/Sc-06.12.2026-09.05.03.bmp").substr(14), h.screenshot.shot.dib);
  Tick();
  h.keys.Press(virtual_key::kAlt);  // a new press, with Alt: the foreground window
  HoldPrintScreenOver(1);
  h.keys.Release(virtual_key::kAlt);
  EXPECT_THAT(h.screenshot.presses, ElementsAre(false, true));
  h.clipboard.picture = h.screenshot.shot = {};  // hidden too; the dialog opens before the save
  h.keys.Tap(virtual_key::kPause);
  Tick();
  PressCtrlAltC();
  HoldPrintScreenOver(1);
  EXPECT_THAT(Cues(), ElementsAre("SaveScr", "SaveScr", "SaveScr", "SaveScr", "Invisible",
                                  "Settings", "Error"));
  EXPECT_TRUE(NamedDialog().visible() && !Panel().visible());
}

TEST_F(PanelTest, WhereTheKeysCanWakeItTheTimerRestsUntilAPolledKeyGoesDown) {
  h.keys.can_wake = true;
  Tick();
  EXPECT_FALSE(Panel("Timer1").ticking());  // nothing down: rests
  h.keys.Press(virtual_key::kPause);
  EXPECT_TRUE(Panel("Timer1").ticking());
  Tick();
  EXPECT_FALSE(Panel().visible());
  EXPECT_TRUE(Panel("Timer1").ticking());  // the key is still down
  h.keys.Release(virtual_key::kPause);
  Tick();
  EXPECT_FALSE(Panel("Timer1").ticking());
  h.keys.queries.clear();  // a late tick of a resting timer runs nothing
  Tick();
  EXPECT_TRUE(h.keys.queries.empty());
}

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
  EXPECT_THAT(h.requests.asked, ElementsAre("text editor launched", "text editor launched",
                                            "paint program launched", "calculator launched"));
}

}  // namespace clipnest
