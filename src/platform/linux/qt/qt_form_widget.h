#pragma once

#include "platform/linux/qt/form_link.h"
#include "platform/linux/qt/twips_scale.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace clipnest::linux_backend {

// The top-level window of a form: paints the drawn controls and reports mouse presses, moves and
// close requests to the form's input.
class FormWidget : public QWidget {
 public:
  FormWidget(std::shared_ptr<FormLink> link, TwipsScale scale);

  // The window follows the mouse until the button that is down now comes up.
  void StartMove();
  // Where the window's frame is on the screen now, as the X server has it (Qt's own idea can
  // lag behind the window manager's placing).
  std::optional<QPoint> ScreenPosition() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<FormLink> link_;
  TwipsScale scale_;
  bool moving_ = false;
  QPoint grab_offset_;  // from the window's corner to the mouse, while moving
};

}  // namespace clipnest::linux_backend
