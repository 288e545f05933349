#pragma once

#include "forms/form.h"
#include "platform/linux/qt/twips_scale.h"

#include <QPainter>

namespace clipnest::linux_backend {

// Paints a form's background and its drawn controls (images, shapes, lines, labels) in stacking
// order, bottom-up. An image shows its compiled-in picture; a picture the program holds at run
// time (the clipboard's) stays in a holder, never drawn.
void PaintForm(QPainter& painter, const Form& form, const TwipsScale& scale);

}  // namespace clipnest::linux_backend
