// The sound gate: a cue plays only while the Sounds option is strictly the number 1, read at the
// moment of each cue. Switching sounds off is silent because of it.
#include "feedback/cues.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

namespace clipnest {

TEST(CueGateTest, PlaysOnlyWhenTheOptionIsOneAtTheMomentOfTheCue) {
  headless::HeadlessPlatform h;
  std::string sounds_flag;
  Cues cues(h.sounds, sounds_flag, h.clock);
  std::vector<std::string> played_at;
  for (const char* flag : {"", "no", "0", "2", "1x", "1", " 1 ", "1,0", "1.0", "one"}) {
    sounds_flag = flag;
    cues.Play(cue::kCheck);
    if (h.sounds.played.size() > played_at.size()) played_at.push_back(flag);
  }
  // Russian settings: "1,0" is the number 1, "1.0" is not a number.
  EXPECT_EQ(played_at, (std::vector<std::string>{"1", " 1 ", "1,0"}));
  EXPECT_EQ(h.sounds.played[0], "Sounds/Check.wav");
}

}  // namespace clipnest
