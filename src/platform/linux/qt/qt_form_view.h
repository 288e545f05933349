#pragma once

#include "forms/form_view.h"
#include "platform/linux/qt/form_link.h"
#include "platform/linux/qt/twips_scale.h"

#include <QTimer>

#include <map>
#include <memory>

namespace clipnest {
class Form;
}  // namespace clipnest

namespace clipnest::linux_backend {

class FormWidget;
class NativeControls;

// A form's native window on Qt: reads the form's state after each change and shows it.
class QtFormView : public FormView {
 public:
  QtFormView(Form& form, TwipsScale scale);
  ~QtFormView() override;

  void WindowChanged(WindowAspect aspect) override;
  void ControlChanged(const Control& control, ControlAspect aspect) override;
  void FocusChanged(const Control& control) override;
  void BringToFront() override;
  void StartMove() override;
  void ReportPosition() override;

  QWidget* window() const;

 private:
  Qt::WindowFlags Flags() const;
  void ShowGeometry();
  void ShowVisible();
  void ShowTopmost();
  void PlaceBeforeFirstShow();

  Form& form_;
  TwipsScale scale_;
  std::shared_ptr<FormLink> link_;
  FormWidget* window_;        // deleted later: the view may go inside the window's own events
  NativeControls* controls_;  // a child of the window
  std::map<const Control*, QTimer*> timers_;
  bool shown_before_ = false;
};

// The native window of a form, or null when it has none.
QWidget* WidgetOf(const Form* form);

}  // namespace clipnest::linux_backend
