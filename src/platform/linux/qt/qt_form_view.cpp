#include "platform/linux/qt/qt_form_view.h"

#include "forms/form.h"
#include "platform/linux/qt/qt_form_widget.h"
#include "platform/linux/qt/qt_native_controls.h"
#include "platform/linux/x11/x11_window_state.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

namespace clipnest::linux_backend {
namespace {

// Every text of a form is in a sans-serif font of the pixel size of 8.25 points at 96 dots per
// inch, whatever the screen's resolution, since the forms are laid out in those pixels. The
// faces of the width the layouts were made for come first; the desktop's own sans-serif face,
// often wider, is the last resort.
QFont FormFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                    QStringLiteral("Nimbus Sans"), QStringLiteral("FreeSans"),
                    QStringLiteral("Sans Serif")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

// Fixed tool windows show no icon in their title bar.
QIcon NoIcon() {
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  return QIcon(blank);
}

bool ShowsText(const Form& form) {
  for (const auto& control : form.controls()) {
    if (control->holder()) continue;
    switch (control->kind()) {
      case ControlKind::kLabel:
      case ControlKind::kTextBox:
      case ControlKind::kCheckBox:
      case ControlKind::kButton:
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace

QtFormView::QtFormView(Form& form, TwipsScale scale)
    : form_(form), scale_(scale), link_(std::make_shared<FormLink>(FormLink{&form})) {
  window_ = new FormWidget(link_, scale_);
  window_->setWindowFlags(Flags());
  if (form_.style() == FormStyle::kBorderless) {
    // Showing the panel never takes the focus from other programs.
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
  }
  // Fonts are looked up only for forms that show text: the panel starts without them.
  if (ShowsText(form_)) window_->setFont(FormFont());
  window_->setWindowTitle(QString::fromStdString(form_.caption()));
  if (form_.style() == FormStyle::kFixedToolWindow) window_->setWindowIcon(NoIcon());
  ShowGeometry();
  if (form_.layered()) window_->setWindowOpacity(form_.opacity() / 255.0);

  controls_ = new NativeControls(*window_, link_, scale_);
  const auto& controls = form_.controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    Control& control = **it;
    if (control.holder()) continue;
    if (control.windowed()) {
      controls_->Create(control);
    } else if (control.kind() == ControlKind::kTimer) {
      auto* timer = new QTimer(window_);
      // Ticks go through the event loop like any other event; the form says when they run.
      timer->setTimerType(Qt::PreciseTimer);
      timer->setInterval(control.tick_interval_ms());
      std::shared_ptr<FormLink> link = link_;
      Control* target = &control;
      QObject::connect(timer, &QTimer::timeout, window_, [link, target] {
        if (link->form) link->form->input().TimerTicked(*target);
      });
      timers_[&control] = timer;
    }
  }
  controls_->SetTabOrder(form_.tab_order());
}

QtFormView::~QtFormView() {
  link_->form = nullptr;
  for (auto& [control, timer] : timers_) timer->stop();
  window_->hide();
  window_->deleteLater();
}

Qt::WindowFlags QtFormView::Flags() const {
  Qt::WindowFlags flags = Qt::Tool;
  if (form_.style() == FormStyle::kBorderless) {
    flags |= Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  }
  if (form_.topmost()) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void QtFormView::ShowGeometry() {
  window_->setFixedSize(scale_.PixelsX(form_.width()), scale_.PixelsY(form_.height()));
  if (!form_.left() && !form_.top()) return;
  const QPoint now = window_->pos();
  window_->move(form_.left() ? scale_.PixelsX(*form_.left()) : now.x(),
                form_.top() ? scale_.PixelsY(*form_.top()) : now.y());
}

void QtFormView::ShowTopmost() {
  const Qt::WindowFlags flags = Flags();
  if (!window_->testAttribute(Qt::WA_WState_Created)) {
    window_->setWindowFlags(flags);
    return;
  }
  // Changing the flags of a widget re-creates its window; tell the platform window instead.
  window_->overrideWindowFlags(flags);
  if (QWindow* handle = window_->windowHandle()) handle->setFlags(flags);
}

void QtFormView::PlaceBeforeFirstShow() {
  if (shown_before_) return;
  shown_before_ = true;
  if (!form_.centred() || form_.left() || form_.top()) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // The whole window, frame included, in the middle of the screen, as Windows centres it: the
  // client area goes inside the frame that the window manager will put around it.
  const FrameExtents frame = ExpectedFrameExtents(window_->winId()).value_or(FrameExtents{});
  QRect outer(0, 0, window_->width() + frame.left + frame.right,
              window_->height() + frame.top + frame.bottom);
  outer.moveCenter(screen->geometry().center());
  window_->setGeometry(QRect(outer.topLeft() + QPoint(frame.left, frame.top), window_->size()));
}

void QtFormView::ShowVisible() {
  if (!form_.visible()) {
    window_->hide();
    return;
  }
  if (!window_->isVisible()) {
    PlaceBeforeFirstShow();
    // No taskbar or pager entry: the window manager reads these when it maps the window, and
    // forgets them when it unmaps it, so they are set before every showing.
    AddNetWmStates(window_->winId(), {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    // A fixed tool window: a title bar with the caption and a close box, no icon or window menu,
    // no minimise or maximise button, no resizing.
    if (form_.style() == FormStyle::kFixedToolWindow) SetFixedToolWindowHints(window_->winId());
    window_->show();
  }
  if (form_.style() != FormStyle::kBorderless) {
    window_->raise();
    window_->activateWindow();
  }
}

void QtFormView::WindowChanged(WindowAspect aspect) {
  switch (aspect) {
    case WindowAspect::kGeometry:
      ShowGeometry();
      break;
    case WindowAspect::kBackColour:
      window_->update();
      break;
    case WindowAspect::kVisible:
      ShowVisible();
      break;
    case WindowAspect::kTopmost:
      ShowTopmost();
      break;
    case WindowAspect::kOpacity:
      window_->setWindowOpacity(form_.opacity() / 255.0);
      break;
    case WindowAspect::kCaption:
      window_->setWindowTitle(QString::fromStdString(form_.caption()));
      break;
  }
}

void QtFormView::ControlChanged(const Control& control, ControlAspect aspect) {
  if (aspect == ControlAspect::kTimer) {
    if (auto found = timers_.find(&control); found != timers_.end()) {
      if (control.ticking())
        found->second->start();
      else
        found->second->stop();
    }
    return;
  }
  if (control.windowed()) {
    controls_->Show(control, aspect);
    return;
  }
  window_->update();
}

void QtFormView::FocusChanged(const Control& control) {
  controls_->Focus(control);
}

void QtFormView::BringToFront() {
  if (window_->isVisible()) window_->raise();
}

void QtFormView::StartMove() {
  window_->StartMove();
}

void QtFormView::ReportPosition() {
  if (auto where = window_->ScreenPosition()) {
    form_.input().Moved(static_cast<float>(scale_.TwipsX(where->x())),
                        static_cast<float>(scale_.TwipsY(where->y())));
  }
}

QWidget* QtFormView::window() const {
  return window_;
}

QWidget* WidgetOf(const Form* form) {
  const auto* view = form ? dynamic_cast<const QtFormView*>(form->view()) : nullptr;
  return view ? view->window() : nullptr;
}

}  // namespace clipnest::linux_backend
