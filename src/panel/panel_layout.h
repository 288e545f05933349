#pragma once

#include "forms/layout.h"

#include <span>

namespace clipnest {

// The panel window: designed 2055 x 1665 twips; only the top 315 twips show at run time.
inline constexpr int kPanelDesignWidth = 2055;
inline constexpr int kPanelDesignHeight = 1665;
inline constexpr int kPanelStripHeight = 315;
inline constexpr int kTimer1IntervalMs = 1;

// The panel's controls in stacking order, topmost first.
std::span<const ControlRow> PanelLayout();

}  // namespace clipnest
