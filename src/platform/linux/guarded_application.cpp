#include "platform/linux/guarded_application.h"

#include "forms/event_guard.h"

namespace clipnest::x11 {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunEvent([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace clipnest::x11
