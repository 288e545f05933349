#pragma once

#include <string>
#include <string_view>

namespace clipnest {

class RegionalClock;
class SoundPlayer;

// A cue is named by the base name of its wave file in the folder Sounds.
namespace cue {
inline constexpr std::string_view kLoad = "Load";
inline constexpr std::string_view kSaveTxt1 = "SaveTxt1";
inline constexpr std::string_view kSaveTxt2 = "SaveTxt2";
inline constexpr std::string_view kSaveScr = "SaveScr";
inline constexpr std::string_view kError = "Error";
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kLoadNotepad = "LoadNotepad";
inline constexpr std::string_view kLoadPaint = "LoadPaint";
inline constexpr std::string_view kLoadCalc = "LoadCalc";
inline constexpr std::string_view kExit = "Exit";
inline constexpr std::string_view kInvisible = "Invisible";
inline constexpr std::string_view kVisible = "Visible";
inline constexpr std::string_view kCheck = "Check";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kSaveSettings = "SaveSettings";
inline constexpr std::string_view kDefColors = "DefColors";
}  // namespace cue

// Plays a cue when the Sounds option is on. The gate reads the option at every call, so a
// change takes effect for the very next cue.
class Cues {
 public:
  // `sounds_flag` is the program-wide Sounds option text; the user's number format comes from
  // `regional`.
  Cues(SoundPlayer& player, const std::string& sounds_flag, RegionalClock& regional);
  void Play(std::string_view cue_name);
  bool SoundsOn() const;

 private:
  SoundPlayer& player_;
  const std::string& sounds_flag_;
  RegionalClock& regional_;
};

}  // namespace clipnest
