#pragma once

#include "platform/sound_player.h"

struct ca_context;

namespace clipnest {

// Cues through libcanberra: asynchronous, overlapping, quiet when there is no sound device.
class CanberraSound : public SoundPlayer {
 public:
  CanberraSound() = default;
  ~CanberraSound() override;
  CanberraSound(const CanberraSound&) = delete;
  CanberraSound& operator=(const CanberraSound&) = delete;

  void Play(std::string_view wave_path) override;

 private:
  ca_context* context_ = nullptr;
  bool tried_ = false;
};

}  // namespace clipnest
