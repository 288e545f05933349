#pragma once

#include <string_view>

namespace clipnest {

// The keys that the panel reads at start-up, in the order it reads them, each with the message
// shown when it is missing.
struct StartUpKey {
  std::string_view key;
  std::string_view missing_message;
};

inline constexpr StartUpKey kLeftKey{"Left", "Переменной Left не существует"};
inline constexpr StartUpKey kTopKey{"Top", "Переменной Top не существует"};
inline constexpr StartUpKey kSavePathKey{"SavePath", "Переменной SavePath не существует"};
inline constexpr StartUpKey kBorderColorKey{"BorderColor", "Переменной BorderColor не существует"};
inline constexpr StartUpKey kMainColorKey{"MainColor", "Переменной MainColor не существует"};
inline constexpr StartUpKey kHotPrintScreenKey{"HotPrintScreen",
                                               "Переменной HotPrintScreen не существует"};
inline constexpr StartUpKey kSoundsKey{"Sounds", "Переменной Sounds не существует"};
inline constexpr StartUpKey kTransparentKey{"Transparent", "Переменной Transparent не существует"};
inline constexpr StartUpKey kTransparentValueKey{"TransparentValue",
                                                 "Переменной TransparentValue не существует"};

}  // namespace clipnest
