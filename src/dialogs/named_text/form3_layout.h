#pragma once

#include "forms/form_design.h"

namespace clipnest {

// The named text dialog as designed: 254 x 82 pixels, centred, its controls in stacking order.
const FormDesign& Form3Design();

}  // namespace clipnest
