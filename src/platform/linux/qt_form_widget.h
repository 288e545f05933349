#pragma once

#include "form_link.h"
#include "twips_scale.h"

#include <QImage>
#include <QWidget>

#include <map>
#include <memory>

namespace clipnest {

class Control;

// The top-level window of a form: paints the drawn controls and turns mouse presses, moves and
// the close box into the form's events.
class FormWidget : public QWidget {
 public:
  FormWidget(std::shared_ptr<FormLink> link, TwipsScale scale);

  // The picture a control holds at run time has changed.
  void ForgetPicture(const Control& control) { pictures_.erase(&control); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Control* ClickableAt(const QPoint& pixel) const;
  const QImage& PictureOf(const Control& control);

  std::shared_ptr<FormLink> link_;
  TwipsScale scale_;
  Control* pressed_ = nullptr;
  std::map<const Control*, QImage> pictures_;
};

}  // namespace clipnest
