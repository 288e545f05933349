#pragma once

#include "forms/control.h"
#include "platform/linux/qt/form_link.h"
#include "platform/linux/qt/twips_scale.h"

#include <QObject>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

namespace clipnest::linux_backend {

// The native widgets of a form's windowed controls (text boxes, buttons, check boxes, scroll
// bars). User actions go into the model through the calls the program uses; the program's
// changes come back here and are shown without raising a user change.
class NativeControls : public QObject {
 public:
  NativeControls(QWidget& window, std::shared_ptr<FormLink> link, TwipsScale scale);

  // Makes the widget of a windowed control, above those made before it.
  void Create(Control& control);
  // Shows one aspect of a control's state.
  void Show(const Control& control, ControlAspect aspect);
  // Gives a control the keyboard focus (without echo when it already has it).
  void Focus(const Control& control);
  void SetTabOrder(const std::vector<Control*>& order);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Make(Control& control);
  void Connect(Control& control, QWidget* widget);
  Control* ControlOf(QObject* widget) const;

  QWidget& window_;
  std::shared_ptr<FormLink> link_;
  TwipsScale scale_;
  std::map<const Control*, QWidget*> widgets_;
};

}  // namespace clipnest::linux_backend
