// The sound gate: a cue plays only while the Sounds option is strictly the number 1, read at the
// moment of each cue.
#include "feedback/cues.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

TEST(CueGateTest, PlaysOnlyWhenTheOptionIsOneAtTheMomentOfTheCue) {
  headless::HeadlessPlatform h;
  std::string sounds_flag;
  Cues cues(h.sounds, sounds_flag, h.clock);
  for (const char* flag : {"", "no", "0", "2", "1", " 1 ", "1,0", "1.0", "one"}) {
    sounds_flag = flag;
    cues.Play(cue::kCheck);
  }
  // Russian settings: "1,0" is the number 1, "1.0" is not a number.
  EXPECT_EQ(h.sounds.played,
            (std::vector<std::string>{"Sounds/Check.wav", "Sounds/Check.wav", "Sounds/Check.wav"}));
}

}  // namespace
}  // namespace clipnest
