#pragma once

#include "platform/sound_player.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace clipnest::linux_backend {

// Cues through libcanberra: asynchronous, overlapping, quiet when there is no sound device.
// Opening the sound system and starting a sound can take tens of milliseconds (longer without a
// device), so a worker of its own does it and the panel never waits for a cue.
class CanberraSound : public SoundPlayer {
 public:
  CanberraSound();
  ~CanberraSound() override;
  CanberraSound(const CanberraSound&) = delete;
  CanberraSound& operator=(const CanberraSound&) = delete;

  void Play(std::string_view wave_path) override;

 private:
  void PlayQueuedCues();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::string> queue_;  // absolute wave paths
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace clipnest::linux_backend
