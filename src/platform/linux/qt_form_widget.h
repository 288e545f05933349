#pragma once

#include "form_link.h"
#include "twips_scale.h"

#include <QImage>
#include <QWidget>

#include <map>
#include <memory>

namespace clipnest {

class Control;

// The top-level window of a form: paints the drawn controls and reports mouse presses, moves and
// close requests to the form's input.
class FormWidget : public QWidget {
 public:
  FormWidget(std::shared_ptr<FormLink> link, TwipsScale scale);

  // The picture a control holds at run time has changed.
  void ForgetPicture(const Control& control) { pictures_.erase(&control); }
  // The window follows the mouse until the button that is down now comes up.
  void StartMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const QImage& PictureOf(const Control& control);

  std::shared_ptr<FormLink> link_;
  TwipsScale scale_;
  std::map<const Control*, QImage> pictures_;
  bool moving_ = false;
  QPoint grab_offset_;  // from the window's corner to the mouse, while moving
};

}  // namespace clipnest
