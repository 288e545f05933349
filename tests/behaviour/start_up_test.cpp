// What the user sees and hears when the panel starts.
#include "behaviour/program_fixture.h"

namespace clipnest {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, WithoutASettingsFileNineMessagesComeFirstAndThePanelKeepsItsDesign) {
  bool shown_or_ticking = false;
  h.messages.on_show = [&] { shown_or_ticking |= Panel().visible() || Panel("Timer1").ticking(); };
  Start(nullptr);
  EXPECT_FALSE(shown_or_ticking);
  std::vector<std::string> expected;
  for (const char* key : {"Left", "Top", "SavePath", "BorderColor", "MainColor", "HotPrintScreen",
                          "Sounds", "Transparent", "TransparentValue"})
    expected.push_back(std::string("Переменной ") + key + " не существует");
  for (const auto& message : h.messages.shown) EXPECT_EQ(message.caption, "Clipnest");
  EXPECT_EQ(Messages(), expected);
  // The window manager places it; until a folder is read, the save folder is the text "Text4".
  EXPECT_EQ(Seen(), "shown on top border 8421504 back 2147483663 into Text4");
  EXPECT_TRUE(Panel("Timer1").ticking());
  EXPECT_THAT(start_cues, IsEmpty());
  EXPECT_FALSE(h.disk.Exists(h.kSettingsPath));  // nothing is written at start-up
}

TEST_F(StartUpTest, EachSettingsFileGivesItsMessagesCueAndPanel) {
  const std::pair<const char*, const char*> cases[] = {
      // Every key, whatever the case of its name.
      {"[SETUP]\r\nleft=4500\r\nTOP=300\r\nsavepath=D:\\Clips\r\nBorderColor=255\r\n"
       "maincolor=16711680\r\nHotPrintScreen=1\r\nsounds=1\r\ntransparent=1\r\n"
       "TRANSPARENTVALUE=128\r\n",
       "0 Load shown on top at 4500,300 border 255 back 16711680 opacity 128 into D:\\Clips"},
      // Position is read leniently; colours and an opacity that are not numbers keep their start;
      // "yes" is not the number 1; an empty folder is present.
      {"[Setup]\r\nLeft=x100\r\nTop=12.7px\r\nSavePath=\r\nBorderColor=red\r\nMainColor=\r\n"
       "HotPrintScreen=1\r\nSounds=yes\r\nTransparent=1\r\nTransparentValue=300\r\n",
       "0 silent shown on top at 0,12.7 border 8421504 back 2147483663 opacity 0 into "},
      // "no" counts as missing; Transparent 0 leaves the panel opaque whatever the value.
      {"[Setup]\r\nSounds=no\r\nTransparent=0\r\nTransparentValue=100\r\n",
       "7 silent shown on top border 8421504 back 2147483663 into Text4"},
      // A position no window can take (beyond a float, beyond 32 bits) leaves the panel in place.
      {"[Setup]\r\nLeft=1e300\r\nTop=-3e9\r\n",
       "7 silent shown on top border 8421504 back 2147483663 into Text4"},
  };
  for (const auto& [settings, expected] : cases) {
    Start(settings);
    const std::string cue = start_cues.empty() ? "silent" : start_cues.front();
    EXPECT_EQ(std::to_string(Messages().size()) + " " + cue + " " + Seen(), expected);
  }
}

TEST_F(StartUpTest, ASecondCopyEndsBeforeItShowsReadsOrPlaysAnything) {
  h.WriteSettings(kUsual);
  h.process.another_running = true;
  program = std::make_unique<Program>(h.platform);
  EXPECT_THROW(program->Start(), headless::ProcessEnded);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_EQ(Seen(), "hidden border 8421504 back 2147483663 into Text4");
  EXPECT_EQ(SettingsText(), kUsual);
}

}  // namespace clipnest
