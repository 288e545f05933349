// The hotkeys, polled on every tick of the panel's timer: Ctrl+Alt+C, Pause/Break, PrintScreen.
#include "behaviour/program_fixture.h"
#include "headless/dib_bytes.h"

namespace clipnest {

constexpr int kControl = 0x11, kAlt = 0x12, kC = 0x43, kPause = 0x13, kPrintScreen = 0x2C;

class HotkeyPollerTest : public ProgramTest {
 protected:
  HotkeyPollerTest() {
    Start(
        "[Setup]\r\nLeft=4500\r\nTop=300\r\nSavePath=/clips\r\nHotPrintScreen=0\r\nSounds=1\r\n"
        "Transparent=1\r\nTransparentValue=100\r\n");
    h.clipboard.text = "captured";
  }
  void PressCtrlAltC() {
    for (int key : {kControl, kAlt, kC}) h.keys.Press(key);
  }
  void HoldPrintScreenOver(int ticks) {
    h.keys.Press(kPrintScreen);
    for (int i = 0; i < ticks; ++i) Tick();
    h.keys.Release(kPrintScreen);
  }
};

TEST_F(HotkeyPollerTest, CtrlAltCHeldOverThreeTicksOpensTheDialogAfreshOnEachTick) {
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
  h.keys.Release(kC);  // two of the three keys do nothing
  Tick();
  EXPECT_THAT(Cues(), IsEmpty());
  dialog["Text1"].KeyPress(13);
  EXPECT_EQ(h.disk.Content("/clips/.txt"), "newer\r\n");
}

TEST_F(HotkeyPollerTest, PauseTogglesThePanelOncePerPressAndShowsItAsItWas) {
  h.keys.Press(kPause);  // held over many ticks: one toggle
  for (int i = 0; i < 12; ++i) Tick();
  h.keys.Release(kPause);
  Tick();
  h.keys.Tap(kPause);  // down and up between two ticks: one toggle
  Tick();
  Tick();
  // Released and pressed again between two ticks while it read down: a new press.
  h.keys.Press(kPause);
  Tick();
  h.keys.Release(kPause);
  h.keys.Press(kPause);
  Tick();
  EXPECT_THAT(Cues(), ElementsAre("Invisible", "Visible", "Invisible", "Visible"));
  EXPECT_EQ(Seen(),
            "shown on top at 4500,300 border 8421504 back 2147483663 opacity 100 into /clips");
}

TEST_F(HotkeyPollerTest, PrintScreenSavesOnEveryTickOnlyWhileTheOptionIsOn) {
  h.clipboard.picture = {test_support::InfoHeader(1, 1, 24, 0) + std::string(4, '\0')};
  ASSERT_TRUE(h.screenshot.wanted);
  EXPECT_FALSE(h.screenshot.wanted());  // the system's own screenshot follows the option
  HoldPrintScreenOver(3);
  EXPECT_THAT(h.disk.FileNames(), ElementsAre(h.kSettingsPath));
  program->module1().HotPrintScreenFlag = "1";
  EXPECT_TRUE(h.screenshot.wanted());
  HoldPrintScreenOver(3);
  EXPECT_TRUE(h.disk.Exists("/clips/Sc-06.12.2026-09.05.03.bmp"));
  h.clipboard.picture = {};  // while the panel is hidden too; the dialog opens before the save
  h.keys.Tap(kPause);
  Tick();
  PressCtrlAltC();
  HoldPrintScreenOver(1);
  EXPECT_THAT(Cues(),
              ElementsAre("SaveScr", "SaveScr", "SaveScr", "Invisible", "Settings", "Error"));
  EXPECT_TRUE(NamedDialog().visible() && !Panel().visible());
}

TEST_F(HotkeyPollerTest, WhereTheKeysCanWakeItTheTimerRestsUntilAPolledKeyGoesDown) {
  h.keys.can_wake = true;
  Tick();
  EXPECT_FALSE(Panel("Timer1").ticking());  // nothing down: rests
  h.keys.Press(kPause);
  EXPECT_TRUE(Panel("Timer1").ticking());
  Tick();
  EXPECT_FALSE(Panel().visible());
  EXPECT_TRUE(Panel("Timer1").ticking());  // the key is still down
  h.keys.Release(kPause);
  Tick();
  EXPECT_FALSE(Panel("Timer1").ticking());
  h.keys.queries.clear();  // a late tick of a resting timer runs nothing
  Tick();
  EXPECT_TRUE(h.keys.queries.empty());
}

}  // namespace clipnest
