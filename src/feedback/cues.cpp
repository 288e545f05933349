#include "feedback/cues.h"

#include "platform/regional_clock.h"
#include "platform/sound_player.h"
#include "settings/numbers.h"

#include <string>

namespace clipnest {

Cues::Cues(SoundPlayer& player, const std::string& sounds_flag, RegionalClock& regional)
    : player_(player), sounds_flag_(sounds_flag), regional_(regional) {}

bool Cues::SoundsOn() const {
  return OptionIsOn(sounds_flag_, regional_.DecimalSeparator());
}

void Cues::Play(std::string_view cue_name) {
  if (!SoundsOn()) return;
  player_.Play("Sounds/" + std::string(cue_name) + ".wav");
}

}  // namespace clipnest
