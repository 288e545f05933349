#pragma once

#include "forms/form_design.h"

namespace clipnest {

// The settings dialog as designed: 346 x 314 pixels, centred, its controls in stacking order.
const FormDesign& Form2Design();

}  // namespace clipnest
