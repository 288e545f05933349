#include "settings/settings_file.h"

#include "platform/message_boxes.h"
#include "platform/profile_strings.h"

namespace clipnest {
namespace {
constexpr std::string_view kSection = "Setup";
constexpr std::string_view kMissing = "no";
constexpr std::size_t kBufferSize = 255;
}  // namespace

SettingsFile::SettingsFile(ProfileStrings& profile, MessageBoxes& messages,
                           std::string executable_folder)
    : profile_(profile),
      messages_(messages),
      path_(std::move(executable_folder) + "/Settings.ini") {}

SettingRead SettingsFile::ReadSetting(std::string_view key, std::string_view missing_message) {
  std::string value = profile_.Get(kSection, key, kMissing, kBufferSize, path_);
  if (value == kMissing) {
    messages_.ShowOk(kProgramTitle, missing_message);
    return {false, std::string(kMissing)};
  }
  return {true, std::move(value)};
}

void SettingsFile::WriteSetting(std::string_view key, std::string_view value) {
  profile_.Put(kSection, key, value, path_);
}

}  // namespace clipnest
