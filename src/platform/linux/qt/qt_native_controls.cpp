#include "platform/linux/qt/qt_native_controls.h"

#include "forms/form.h"

#include "platform/linux/qt/qt_colours.h"
#include "platform/linux/qt/qt_pictures.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace clipnest::linux_backend {
namespace {

constexpr int kEnterKey = 13;
constexpr int kEscapeKey = 27;

void ShowText(QWidget* widget, const Control& control) {
  const QString text = QString::fromStdString(control.text());
  const QSignalBlocker blocker(widget);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    if (line->text() != text) line->setText(text);
  } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget)) {
    if (lines->toPlainText() != text) lines->setPlainText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    if (control.look().picture.empty()) button->setText(text);
  }
}

void ShowValue(QWidget* widget, const Control& control) {
  const QSignalBlocker blocker(widget);
  if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    check->setCheckState(control.value() == 0   ? Qt::Unchecked
                         : control.value() == 1 ? Qt::Checked
                                                : Qt::PartiallyChecked);
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    bar->setRange(control.minimum(), control.maximum());
    bar->setSingleStep(control.small_change());
    bar->setPageStep(control.large_change());
    bar->setValue(control.value());
  }
}

void ShowPicture(QWidget* widget, const Control& control) {
  auto* button = qobject_cast<QPushButton*>(widget);
  if (!button || control.look().picture.empty()) return;
  const QImage& picture =
      ResourcePicture(control.look().picture, control.look().transparent_colour);
  button->setIcon(QIcon(QPixmap::fromImage(picture)));  // centred on the face when there is no text
  button->setIconSize(picture.size());
}

// Explicit colours only: the system colours are the widgets' own look already.
void ShowColours(QWidget* widget, const Control& control) {
  const ControlLook& look = control.look();
  if (IsSystemColour(look.back_colour) && IsSystemColour(look.fore_colour)) return;
  QPalette palette = widget->palette();
  const bool editable = qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
  if (!IsSystemColour(look.back_colour)) {
    palette.setColor(editable ? QPalette::Base : QPalette::Button, ToQColor(look.back_colour));
    palette.setColor(QPalette::Window, ToQColor(look.back_colour));
  }
  if (!IsSystemColour(look.fore_colour)) {
    palette.setColor(editable ? QPalette::Text : QPalette::ButtonText, ToQColor(look.fore_colour));
    palette.setColor(QPalette::WindowText, ToQColor(look.fore_colour));
  }
  widget->setPalette(palette);
}

ScrollAction ScrollActionOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return ScrollAction::kLineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
      return ScrollAction::kLineRight;
    case QAbstractSlider::SliderPageStepSub:
      return ScrollAction::kPageLeft;
    case QAbstractSlider::SliderPageStepAdd:
      return ScrollAction::kPageRight;
    case QAbstractSlider::SliderToMinimum:
      return ScrollAction::kToMinimum;
    case QAbstractSlider::SliderToMaximum:
      return ScrollAction::kToMaximum;
    default:
      return ScrollAction::kThumbTrack;
  }
}

}  // namespace

NativeControls::NativeControls(QWidget& window, std::shared_ptr<FormLink> link, TwipsScale scale)
    : QObject(&window), window_(window), link_(std::move(link)), scale_(scale) {}

QWidget* NativeControls::Make(Control& control) {
  switch (control.kind()) {
    case ControlKind::kTextBox:
      if (control.look().multi_line) return new QPlainTextEdit(&window_);
      return new QLineEdit(&window_);
    case ControlKind::kCheckBox:
      return new QCheckBox(&window_);
    case ControlKind::kScrollBar:
      return new QScrollBar(Qt::Horizontal, &window_);
    default:
      return new QPushButton(&window_);
  }
}

void NativeControls::Create(Control& control) {
  QWidget* widget = Make(control);
  widgets_[&control] = widget;
  widget->setGeometry(scale_.Pixels(control.rect()));
  widget->setFocusPolicy(Qt::StrongFocus);
  widget->installEventFilter(this);
  for (ControlAspect aspect :
       {ControlAspect::kText, ControlAspect::kValue, ControlAspect::kEnabled,
        ControlAspect::kColours, ControlAspect::kPicture, ControlAspect::kVisible}) {
    Show(control, aspect);
  }
  Connect(control, widget);
}

void NativeControls::Connect(Control& control, QWidget* widget) {
  Control* target = &control;
  std::shared_ptr<FormLink> link = link_;
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    // textEdited comes from the user only; the program's own texts are set under a blocker.
    connect(line, &QLineEdit::textEdited, this, [link, target](const QString& text) {
      if (link->form) link->form->input().TextEdited(*target, text.toStdString());
    });
  } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(lines, &QPlainTextEdit::textChanged, this, [link, target, lines] {
      if (link->form) link->form->input().TextEdited(*target, lines->toPlainText().toStdString());
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    connect(check, &QCheckBox::clicked, this, [link, target, check] {
      if (!link->form) return;
      link->form->input().Clicked(*target);  // toggles the model's value, which is then shown
      if (link->form) ShowValue(check, *target);
    });
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    // The bar's own moves are put back; the form decides the value from the action.
    bar->setTracking(false);
    connect(bar, &QScrollBar::actionTriggered, this, [link, target, bar](int action) {
      if (!link->form) return;
      link->form->input().Scrolled(*target, ScrollActionOf(action), bar->sliderPosition());
    });
    connect(bar, &QScrollBar::sliderReleased, this, [link, target, bar] {
      if (!link->form) return;
      link->form->input().Scrolled(*target, ScrollAction::kThumbPosition, bar->sliderPosition());
    });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    connect(button, &QPushButton::clicked, this, [link, target] {
      if (link->form) link->form->input().Clicked(*target);
    });
  }
}

void NativeControls::Show(const Control& control, ControlAspect aspect) {
  auto found = widgets_.find(&control);
  if (found == widgets_.end()) return;
  QWidget* widget = found->second;
  switch (aspect) {
    case ControlAspect::kText:
      ShowText(widget, control);
      break;
    case ControlAspect::kValue:
      ShowValue(widget, control);
      break;
    case ControlAspect::kEnabled:
      widget->setEnabled(control.enabled());
      break;
    case ControlAspect::kColours:
      ShowColours(widget, control);
      break;
    case ControlAspect::kPicture:
      ShowPicture(widget, control);
      break;
    case ControlAspect::kVisible:
      widget->setVisible(control.visible());
      break;
    case ControlAspect::kTimer:
      break;
  }
}

void NativeControls::Focus(const Control& control) {
  auto found = widgets_.find(&control);
  if (found == widgets_.end() || found->second->hasFocus()) return;
  found->second->setFocus(Qt::OtherFocusReason);
}

void NativeControls::SetTabOrder(const std::vector<Control*>& order) {
  QWidget* previous = nullptr;
  for (Control* control : order) {
    auto found = widgets_.find(control);
    if (found == widgets_.end()) continue;
    if (previous) QWidget::setTabOrder(previous, found->second);
    previous = found->second;
  }
}

Control* NativeControls::ControlOf(QObject* widget) const {
  for (const auto& [control, native] : widgets_) {
    if (native == widget) return const_cast<Control*>(control);
  }
  return nullptr;
}

bool NativeControls::eventFilter(QObject* watched, QEvent* event) {
  if (!link_->form) return false;
  Control* control = ControlOf(watched);
  if (!control) return false;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    FormInput& input = link_->form->input();
    switch (key->key()) {
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        input.TabPressed(*control, key->key() == Qt::Key_Backtab ||
                                       key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        input.KeyTyped(*control, kEnterKey);
        // A one-line box and a button have no use of their own for Enter.
        return !qobject_cast<QPlainTextEdit*>(watched);
      case Qt::Key_Escape:
        input.KeyTyped(*control, kEscapeKey);
        return true;
      default:
        if (!key->text().isEmpty()) input.KeyTyped(*control, key->text().at(0).unicode());
        return false;  // the widget still types the character
    }
  }
  if (event->type() == QEvent::FocusIn) link_->form->input().FocusEntered(*control);
  return false;
}

}  // namespace clipnest::linux_backend
