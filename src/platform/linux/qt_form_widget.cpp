#include "qt_form_widget.h"

#include "forms/form.h"
#include "qt_drawing.h"
#include "qt_pictures.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>

namespace clipnest {

FormWidget::FormWidget(std::shared_ptr<FormLink> link, TwipsScale scale)
    : link_(std::move(link)), scale_(scale) {
  setMouseTracking(true);  // for the cursors of drawn controls
}

const QImage& FormWidget::PictureOf(const Control& control) {
  auto found = pictures_.find(&control);
  if (found == pictures_.end()) {
    found = pictures_.emplace(&control, PictureImage(control.picture())).first;
  }
  return found->second;
}

void FormWidget::paintEvent(QPaintEvent*) {
  if (!link_->form) return;
  QPainter painter(this);
  PaintForm(painter, *link_->form, scale_,
            [this](const Control& control) { return PictureOf(control); });
}

Control* FormWidget::ClickableAt(const QPoint& pixel) const {
  return link_->form->DrawnControlAt(scale_.TwipsX(pixel.x()), scale_.TwipsY(pixel.y()));
}

void FormWidget::mousePressEvent(QMouseEvent* event) {
  if (!link_->form || event->button() != Qt::LeftButton) return;
  pressed_ = ClickableAt(event->position().toPoint());
  if (!pressed_) link_->form->MouseDown();
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!link_->form || event->button() != Qt::LeftButton) return;
  Control* pressed = pressed_;
  pressed_ = nullptr;
  // A click is a press and a release on the same control.
  if (pressed && ClickableAt(event->position().toPoint()) == pressed) pressed->Click();
}

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!link_->form) return;
  const QPoint pixel = event->position().toPoint();
  const int x = scale_.TwipsX(pixel.x());
  const int y = scale_.TwipsY(pixel.y());
  for (const auto& control : link_->form->controls()) {
    if (!control->drawn() || !control->rect().Contains(x, y)) continue;
    if (control->look().question_cursor) {
      setCursor(Qt::WhatsThisCursor);
      return;
    }
  }
  unsetCursor();
}

void FormWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  Form* form = link_->form;
  if (!form || !isVisible()) return;
  const QPoint where = frameGeometry().topLeft();
  // Our own placement comes back here too; only a real move changes the form's position.
  const bool placed_there = form->left() && form->top() &&
                            scale_.PixelsX(*form->left()) == where.x() &&
                            scale_.PixelsY(*form->top()) == where.y();
  if (!placed_there) {
    form->MovedTo(static_cast<float>(scale_.TwipsX(where.x())),
                  static_cast<float>(scale_.TwipsY(where.y())));
  }
}

void FormWidget::closeEvent(QCloseEvent* event) {
  // The window stays; the program decides what becomes of its form.
  event->ignore();
  if (link_->form) link_->form->CloseBox();
  if (!link_->form || !link_->form->visible()) hide();
}

}  // namespace clipnest
