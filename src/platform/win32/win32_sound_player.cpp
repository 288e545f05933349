#include "platform/win32/win32_sound_player.h"

#include "platform/win32/win32_text.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h first.
#include <mmsystem.h>

#include <string>

namespace clipnest::win32 {

void Win32SoundPlayer::Play(std::string_view wave_path) {
  // The result is not looked at: a missing file is simply silent (no error box).
  const std::string command = "play " + ToAnsiLossy(wave_path);
  mciSendStringA(command.c_str(), nullptr, 0, nullptr);
}

}  // namespace clipnest::win32
