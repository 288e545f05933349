#pragma once

#include "forms/layout.h"

#include <span>
#include <string_view>

namespace clipnest {

inline constexpr std::string_view kForm3Caption = "Clipnest v1.0";
inline constexpr int kForm3Width = 3810;
inline constexpr int kForm3Height = 1230;

// The named text dialog's controls in stacking order, topmost first.
std::span<const ControlRow> Form3Layout();
// The order in which Tab moves the focus.
std::span<const std::string_view> Form3TabOrder();

}  // namespace clipnest
