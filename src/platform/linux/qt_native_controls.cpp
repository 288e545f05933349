#include "qt_native_controls.h"

#include "forms/form.h"

#include "qt_colours.h"
#include "qt_pictures.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace clipnest {
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
      if (link->form) target->SetText(text.toStdString());
    });
  } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(lines, &QPlainTextEdit::textChanged, this, [link, target, lines] {
      if (link->form) target->SetText(lines->toPlainText().toStdString());
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    connect(check, &QCheckBox::clicked, this, [this, link, target, check] {
      if (!link->form) return;
      target->Click();  // toggles the model's value, which is then shown
      if (link->form) ShowValue(check, *target);
    });
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    connect(bar, &QScrollBar::valueChanged, this, [link, target](int value) {
      if (link->form) target->SetValue(value);
    });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    connect(button, &QPushButton::clicked, this, [link, target] {
      if (link->form) target->Click();
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
  if (event->type() == QEvent::KeyPress) {
    Control* control = ControlOf(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!control) return false;
    // Enter and Escape reach the control's own key handler; the widget still sees every key.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      control->KeyPress(kEnterKey);
      // As on Windows, Enter chooses the focused button (Qt leaves that to dialogs' defaults).
      auto* button = qobject_cast<QPushButton*>(watched);
      if (button && link_->form && button->isVisible() && button->isEnabled()) button->click();
      return button != nullptr;
    } else if (key->key() == Qt::Key_Escape) {
      control->KeyPress(kEscapeKey);
    } else if (!key->text().isEmpty()) {
      control->KeyPress(key->text().at(0).unicode());
    }
  } else if (event->type() == QEvent::FocusIn) {
    // Recorded in the form; the form's echo finds the widget focused already and stops there.
    if (Control* control = ControlOf(watched)) link_->form->SetFocus(*control);
  }
  return false;
}

}  // namespace clipnest
