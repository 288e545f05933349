#pragma once

#include "forms/colour.h"

#include <QColor>

namespace clipnest::linux_backend {

// A colour of the form model as Qt shows it; system colours come from the application palette.
QColor ToQColor(OleColour colour);

}  // namespace clipnest::linux_backend
