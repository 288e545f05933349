#include "feedback/cues.h"

#include "panel/module1.h"
#include "platform/sound_player.h"

#include <string>

namespace clipnest {

Cues::Cues(SoundPlayer& player, const Module1& module1) : player_(player), module1_(module1) {}

bool Cues::SoundsOn() const {
  return module1_.IsOn(module1_.SoundsFlag);
}

void Cues::Play(std::string_view cue_name) {
  if (!SoundsOn()) return;
  player_.Play("Sounds/" + std::string(cue_name) + ".wav");
}

}  // namespace clipnest
