#pragma once

#include "forms/form.h"
#include "twips_scale.h"

#include <QImage>
#include <QPainter>

#include <functional>

namespace clipnest {

// Paints a form's background and its drawn controls (images, shapes, lines, labels) in stacking
// order, bottom-up. `picture_of` gives the picture a control holds at run time (null when none).
void PaintForm(QPainter& painter, const Form& form, const TwipsScale& scale,
               const std::function<QImage(const Control&)>& picture_of);

}  // namespace clipnest
