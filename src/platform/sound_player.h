#pragma once

#include <string_view>

namespace clipnest {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts a wave file (a path relative to the current directory) and returns at once.
  // Failures are never reported.
  virtual void Play(std::string_view wave_path) = 0;
};

}  // namespace clipnest
