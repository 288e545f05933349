#include "platform/linux/qt/guarded_application.h"

#include "forms/event_guard.h"

namespace clipnest::linux_backend {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunEvent([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace clipnest::linux_backend
