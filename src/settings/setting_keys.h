#pragma once

#include <string_view>

namespace clipnest {

// A key of the settings file, with the message its read site shows when it is missing.
struct SettingKey {
  std::string_view key;
  std::string_view missing_message;
};

// The keys that the panel reads at start-up, in the order it reads them.

inline constexpr SettingKey kLeftKey{"Left", "Переменной Left не существует"};
inline constexpr SettingKey kTopKey{"Top", "Переменной Top не существует"};
inline constexpr SettingKey kSavePathKey{"SavePath", "Переменной SavePath не существует"};
inline constexpr SettingKey kBorderColorKey{"BorderColor", "Переменной BorderColor не существует"};
inline constexpr SettingKey kMainColorKey{"MainColor", "Переменной MainColor не существует"};
inline constexpr SettingKey kHotPrintScreenKey{"HotPrintScreen",
                                               "Переменной HotPrintScreen не существует"};
inline constexpr SettingKey kSoundsKey{"Sounds", "Переменной Sounds не существует"};
inline constexpr SettingKey kTransparentKey{"Transparent", "Переменной Transparent не существует"};
inline constexpr SettingKey kTransparentValueKey{"TransparentValue",
                                                 "Переменной TransparentValue не существует"};

// The keys that the settings dialog reads: the save folder when it loads (with a message of its
// own), the two default colours when they are restored.
inline constexpr SettingKey kSavePathAtDialogLoad{
    "SavePath", "Такого раздела/переменной SavePath не существует"};
inline constexpr SettingKey kBorderColorDefKey{"BorderColorDef",
                                               "Переменной BorderColorDef не существует"};
inline constexpr SettingKey kMainColorDefKey{"MainColorDef",
                                             "Переменной MainColorDef не существует"};

}  // namespace clipnest
