#pragma once

#include "forms/form_design.h"

namespace clipnest {

// The panel is designed 2055 x 1665 twips; at run time only its top strip shows, and the holders
// below the strip are never seen.
inline constexpr int kPanelStripHeight = 315;

// The panel window as designed, its controls in stacking order.
const FormDesign& PanelDesign();

}  // namespace clipnest
