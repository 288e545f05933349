#pragma once

#include <QApplication>

namespace clipnest::linux_backend {

// The application object whose every event (input, paint, timer, socket, signal) runs under
// the event guard: nothing a handler throws crosses Qt's event loop or ends the program.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace clipnest::linux_backend
