// The hotkeys, polled on every tick of the panel's timer: Ctrl+Alt+C, Pause/Break, PrintScreen.
#include "behaviour/program_fixture.h"
#include "platform/dib.h"

#include <gmock/gmock.h>

namespace clipnest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kControl = 0x11, kAlt = 0x12, kC = 0x43, kPause = 0x13, kPrintScreen = 0x2C;
constexpr const char* kPictureFile = "/clips/Sc-06.12.2026-09.05.03.bmp";

class HotkeyPollerTest : public ProgramTest {
 protected:
  HotkeyPollerTest() {
    Start();
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

TEST_F(HotkeyPollerTest, CtrlAltCHeldOverThreeTicksOpensTheDialogOnEachTick) {
  PressCtrlAltC();
  Tick();
  Form3* dialog = program->named_text().form3();
  ASSERT_NE(dialog, nullptr);
  Type((*dialog)["Text1"], "ab");
  h.clipboard.text = "newer";
  Tick();
  Tick();
  EXPECT_THAT(Cues(), ElementsAre("Settings", "SaveSettings", "SaveSettings", "Settings",
                                  "SaveSettings", "Settings"));
  EXPECT_EQ(Panel("Text3").text(), "newer");
  EXPECT_EQ((*dialog)["Text1"].text(), "");
  EXPECT_TRUE(dialog->form().visible());
  // Two of the three keys do nothing.
  h.keys.Release(kC);
  Tick();
  EXPECT_THAT(Cues(), IsEmpty());
}

TEST_F(HotkeyPollerTest, PauseTogglesThePanelOncePerPress) {
  // Held over many ticks: one toggle.
  h.keys.Press(kPause);
  for (int i = 0; i < 12; ++i) Tick();
  h.keys.Release(kPause);
  Tick();
  EXPECT_FALSE(Panel().visible());
  EXPECT_THAT(Cues(), ElementsAre("Invisible"));
  // A tap that went down and up between two ticks: one toggle.
  h.keys.Tap(kPause);
  Tick();
  Tick();
  EXPECT_TRUE(Panel().visible());
  EXPECT_THAT(Cues(), ElementsAre("Visible"));
  // Two presses: two toggles, back where it was.
  for (int press = 0; press < 2; ++press) {
    h.keys.Press(kPause);
    Tick();
    Tick();
    h.keys.Release(kPause);
    Tick();
  }
  EXPECT_TRUE(Panel().visible());
  EXPECT_THAT(Cues(), ElementsAre("Invisible", "Visible"));
  // Released and pressed again between two ticks while it read down: a new press.
  h.keys.Press(kPause);
  Tick();
  h.keys.Release(kPause);
  h.keys.Press(kPause);
  Tick();
  EXPECT_TRUE(Panel().visible());
  EXPECT_THAT(Cues(), ElementsAre("Invisible", "Visible"));
}

TEST_F(HotkeyPollerTest, AShownPanelKeepsItsPlaceAndOpacity) {
  program->form1().SetTransparent1(100);
  h.keys.Tap(kPause);
  Tick();
  h.keys.Tap(kPause);
  Tick();
  EXPECT_TRUE(Panel().visible());
  EXPECT_EQ(Panel().left(), 4500.0f);
  EXPECT_EQ(Panel().top(), 300.0f);
  EXPECT_TRUE(Panel().topmost());
  EXPECT_EQ(Panel().opacity(), 100);
}

TEST_F(HotkeyPollerTest, PrintScreenSavesOnEveryTickOnlyWhileTheOptionIsOn) {
  h.clipboard.picture = DibFromRows(1, 1, [](int) {
    static const std::uint32_t pixel = 0xFF00FF00;
    return &pixel;
  });
  HoldPrintScreenOver(3);
  EXPECT_FALSE(h.disk.Exists(kPictureFile));
  EXPECT_THAT(Cues(), IsEmpty());

  program->module1().HotPrintScreenFlag = "1";
  HoldPrintScreenOver(3);
  EXPECT_TRUE(h.disk.Exists(kPictureFile));
  EXPECT_THAT(Cues(), ElementsAre("SaveScr", "SaveScr", "SaveScr"));

  h.clipboard.picture = {};
  HoldPrintScreenOver(1);
  EXPECT_THAT(Cues(), ElementsAre("Error"));
}

TEST_F(HotkeyPollerTest, TheDialogOpensBeforeTheSaveInOneTickAlsoWhileThePanelIsHidden) {
  program->module1().HotPrintScreenFlag = "1";
  h.keys.Tap(kPause);
  Tick();
  ASSERT_FALSE(Panel().visible());
  Cues();
  PressCtrlAltC();
  HoldPrintScreenOver(1);
  EXPECT_THAT(Cues(), ElementsAre("Settings", "Error"));
  EXPECT_TRUE(program->named_text().form3()->form().visible());
  EXPECT_FALSE(Panel().visible());
}

TEST_F(HotkeyPollerTest, TheScreenshotIsTakenOncePerPressBeforeItsSaves) {
  ASSERT_TRUE(h.screenshot.wanted);
  EXPECT_FALSE(h.screenshot.wanted());
  h.screenshot.shot = DibFromRows(1, 1, [](int) {
    static const std::uint32_t pixel = 0xFF0000FF;
    return &pixel;
  });
  HoldPrintScreenOver(2);
  Tick();
  EXPECT_THAT(h.screenshot.presses, IsEmpty());

  program->module1().HotPrintScreenFlag = "1";
  EXPECT_TRUE(h.screenshot.wanted());
  HoldPrintScreenOver(6);  // the clipboard has no picture until the first press's screenshot
  Tick();
  EXPECT_THAT(h.screenshot.presses, ElementsAre(false));
  EXPECT_THAT(Cues(),
              ElementsAre("SaveScr", "SaveScr", "SaveScr", "SaveScr", "SaveScr", "SaveScr"));
  EXPECT_TRUE(h.disk.Content(kPictureFile).ends_with(h.screenshot.shot.dib));
  // A second press, with Alt held: the foreground window; a tap between two ticks: one more.
  h.keys.Press(kAlt);
  HoldPrintScreenOver(2);
  h.keys.Release(kAlt);
  Tick();
  h.keys.Tap(kPrintScreen);
  Tick();
  EXPECT_THAT(h.screenshot.presses, ElementsAre(false, true, false));
}

TEST(HotkeyTimerTest, TicksStartWithTheLoadedPanelAndRestUntilAPolledKeyGoesDown) {
  headless::HeadlessPlatform h;
  h.keys.can_wake = true;
  Program program(h.platform);
  Control& timer = program.form1()["Timer1"];
  bool ticking_during_load = true;
  h.messages.on_show = [&] { ticking_during_load &= timer.ticking(); };
  program.Start();  // no settings file: nine messages
  EXPECT_FALSE(ticking_during_load);
  EXPECT_TRUE(timer.ticking());
  EXPECT_EQ(timer.tick_interval_ms(), 10);

  Form& panel = program.form1().form();
  panel.input().TimerTicked(timer);
  EXPECT_FALSE(timer.ticking());  // nothing down: rests
  h.keys.Press(0x13);
  EXPECT_TRUE(timer.ticking());
  panel.input().TimerTicked(timer);
  EXPECT_FALSE(panel.visible());
  EXPECT_TRUE(timer.ticking());  // the key is still down
  h.keys.Release(0x13);
  panel.input().TimerTicked(timer);
  EXPECT_FALSE(timer.ticking());
  // A late tick of a resting timer runs nothing.
  h.keys.queries.clear();
  panel.input().TimerTicked(timer);
  EXPECT_TRUE(h.keys.queries.empty());
}

}  // namespace
}  // namespace clipnest
