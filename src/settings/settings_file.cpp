#include "settings/settings_file.h"

#include "platform/message_boxes.h"
#include "platform/profile_strings.h"

namespace clipnest {
namespace {
constexpr std::string_view kSection = "Setup";
constexpr std::string_view kMissing = "no";
constexpr std::size_t kBufferSize = 255;
}  // namespace

// The profile functions write a value as it is, so a line break in it would add a line to the
// file (a header there would even move the keys below it into another section). One line of the
// value is written. The only value a user types is the save folder (SavePath), in a single-line
// field, where a paste can carry line breaks: "D:\Clips\r\n" copied from a text, or
// "\r\nD:\Clips" selected from the end of the line before. The folder meant is the first line
// that holds more than blanks, so that line is written. A value without CR or LF, as every value
// the program makes itself, is written byte for byte.
std::string_view StoredText(std::string_view value) {
  for (;;) {
    const std::size_t end = value.find_first_of("\r\n");
    const std::string_view line = value.substr(0, end);
    if (end == std::string_view::npos || line.find_first_not_of(" \t") != std::string_view::npos)
      return line;
    value.remove_prefix(end + 1);
  }
}

SettingsFile::SettingsFile(ProfileStrings& profile, MessageBoxes& messages,
                           std::string executable_folder)
    : profile_(profile),
      messages_(messages),
      path_(std::move(executable_folder) + "/Settings.ini") {}

SettingRead SettingsFile::ReadSetting(std::string_view key, std::string_view missing_message,
                                      const Form* owner) {
  std::string value = profile_.Get(kSection, key, kMissing, kBufferSize, path_);
  if (value == kMissing) {
    messages_.ShowOk(owner, kProgramTitle, missing_message);
    return {false, std::string(kMissing)};
  }
  return {true, std::move(value)};
}

void SettingsFile::WriteSetting(std::string_view key, std::string_view value) {
  profile_.Put(kSection, key, StoredText(value), path_);
}

}  // namespace clipnest
