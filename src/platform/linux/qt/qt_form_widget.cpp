#include "platform/linux/qt/qt_form_widget.h"

#include "forms/form.h"
#include "platform/linux/qt/qt_drawing.h"
#include "platform/linux/x11/x11_window_state.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>

namespace clipnest::linux_backend {

FormWidget::FormWidget(std::shared_ptr<FormLink> link, TwipsScale scale)
    : link_(std::move(link)), scale_(scale) {
  setMouseTracking(true);  // for the cursors of drawn controls
}

void FormWidget::paintEvent(QPaintEvent*) {
  if (!link_->form) return;
  QPainter painter(this);
  PaintForm(painter, *link_->form, scale_);
}

namespace {

MouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return MouseButton::kRight;
    case Qt::MiddleButton:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

}  // namespace

void FormWidget::mousePressEvent(QMouseEvent* event) {
  if (!link_->form) return;
  const QPoint pixel = event->position().toPoint();
  link_->form->input().Pressed(scale_.TwipsX(pixel.x()), scale_.TwipsY(pixel.y()),
                               ButtonOf(event->button()));
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!link_->form) return;
  if (moving_) {
    // The move ends with the release of any button, as a window manager's move does.
    moving_ = false;
    link_->form->input().MoveFinished();
    return;
  }
  const QPoint pixel = event->position().toPoint();
  link_->form->input().Released(scale_.TwipsX(pixel.x()), scale_.TwipsY(pixel.y()),
                                ButtonOf(event->button()));
}

void FormWidget::StartMove() {
  // Qt keeps the mouse for this window while the button that pressed it is held, so the moves
  // and the release come here wherever the mouse goes.
  moving_ = true;
  grab_offset_ = QCursor::pos() - ScreenPosition().value_or(frameGeometry().topLeft());
}

std::optional<QPoint> FormWidget::ScreenPosition() const {
  auto client = ScreenPositionOf(winId());
  if (!client) return std::nullopt;
  // The frame's corner lies by the frame's widths before the client's.
  return QPoint(client->first, client->second) - (geometry().topLeft() - frameGeometry().topLeft());
}

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!link_->form) return;
  if (moving_) {
    move(event->globalPosition().toPoint() - grab_offset_);
    return;
  }
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
    form->input().Moved(static_cast<float>(scale_.TwipsX(where.x())),
                        static_cast<float>(scale_.TwipsY(where.y())));
  }
}

void FormWidget::closeEvent(QCloseEvent* event) {
  // The window stays; the program decides what becomes of its form.
  event->ignore();
  if (link_->form) link_->form->input().CloseRequested();
}

}  // namespace clipnest::linux_backend
