#pragma once

#include <string>
#include <string_view>

namespace clipnest {

class Form;
class ProfileStrings;
class MessageBoxes;

struct SettingRead {
  bool present = false;
  std::string text;  // "no" when the key is missing
};

// The settings file, Settings.ini beside the executable, section Setup. Every key is read by
// itself when its owner needs it and written by itself when the user changes it.
class SettingsFile {
 public:
  SettingsFile(ProfileStrings& profile, MessageBoxes& messages, std::string executable_folder);

  // Reads one key. A missing key (or one whose value is exactly "no") shows the read site's
  // message (above `owner`, the window that reads it, when it has one) and comes back as not
  // present with the text "no".
  SettingRead ReadSetting(std::string_view key, std::string_view missing_message,
                          const Form* owner = nullptr);
  // Writes one key, StoredText(value); the outcome is not looked at.
  void WriteSetting(std::string_view key, std::string_view value);

  const std::string& path() const { return path_; }

 private:
  ProfileStrings& profile_;
  MessageBoxes& messages_;
  std::string path_;
};

// What WriteSetting stores of a value: the value itself when it is one line, else its first
// line that holds more than blanks.
std::string_view StoredText(std::string_view value);

inline constexpr std::string_view kProgramTitle = "Clipnest";

}  // namespace clipnest
