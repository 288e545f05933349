#pragma once

#include "platform/sound_player.h"

namespace clipnest::win32 {

// Plays through the multimedia command interpreter; "play" without "wait" returns at once.
class Win32SoundPlayer : public SoundPlayer {
 public:
  void Play(std::string_view wave_path) override;
};

}  // namespace clipnest::win32
