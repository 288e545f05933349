#include "platform/linux/qt/qt_drawing.h"

#include "platform/linux/qt/qt_colours.h"
#include "platform/linux/qt/qt_pictures.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPalette>

namespace clipnest::linux_backend {
namespace {

void PaintImage(QPainter& painter, const Control& control, const QRect& box) {
  if (control.look().picture.empty()) return;
  const QImage& picture =
      ResourcePicture(control.look().picture, control.look().transparent_colour);
  if (picture.isNull()) return;
  // A picture box is as large as its picture: nothing is stretched, the rest is clipped.
  painter.save();
  painter.setClipRect(box);
  painter.drawImage(box.topLeft(), picture);
  painter.restore();
}

void PaintShape(QPainter& painter, const Control& control, const QRect& box) {
  painter.setPen(QPen(ToQColor(control.look().fore_colour), 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void PaintLine(QPainter& painter, const Control& control, const QRect& box) {
  painter.setPen(QPen(ToQColor(control.look().fore_colour), 0));
  painter.drawLine(box.topLeft(), box.topLeft() + QPoint(box.width(), box.height()));
}

void PaintLabel(QPainter& painter, const Control& control, const QRect& box) {
  const ControlLook& look = control.look();
  if (look.opaque_back) painter.fillRect(box, ToQColor(look.back_colour));
  QRect text_box = box;
  if (look.border == BorderStyle::kSunken) {
    qDrawWinPanel(&painter, box, QApplication::palette(), true);
    text_box = box.adjusted(2, 2, -2, -2);
  } else if (look.border == BorderStyle::kFixedSingle) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    text_box = box.adjusted(1, 1, -1, -1);
  }
  QFont font = painter.font();
  font.setUnderline(look.underline);
  painter.setFont(font);
  painter.setPen(ToQColor(look.fore_colour));
  // A one-line caption a pixel or two wider in this face than in the layout's own shows whole.
  int flags = Qt::AlignLeft | Qt::AlignTop;
  flags |= look.word_wrap ? Qt::TextWordWrap : Qt::TextDontClip;
  painter.drawText(text_box, flags, QString::fromStdString(control.text()));
}

}  // namespace

void PaintForm(QPainter& painter, const Form& form, const TwipsScale& scale) {
  painter.fillRect(painter.window(), ToQColor(form.back_colour()));
  for (const Control* drawn : form.DrawnControlsBottomUp()) {
    const Control& control = *drawn;
    const QRect box = scale.Pixels(control.rect());
    painter.save();
    switch (control.kind()) {
      case ControlKind::kImage:
        PaintImage(painter, control, box);
        break;
      case ControlKind::kShape:
        PaintShape(painter, control, box);
        break;
      case ControlKind::kLine:
        PaintLine(painter, control, box);
        break;
      case ControlKind::kLabel:
        PaintLabel(painter, control, box);
        break;
      default:
        break;
    }
    painter.restore();
  }
}

}  // namespace clipnest::linux_backend
