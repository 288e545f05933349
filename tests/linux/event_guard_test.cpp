// The program's Qt application: a handler that throws does not end the program.
#include "x_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <new>
#include <stdexcept>

namespace clipnest::linux_backend {
namespace {

class Throwing : public QObject {
 public:
  int events = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    if (++events == 1) throw std::runtime_error("a handler's fault");
    if (events == 2) throw std::bad_alloc();
    return true;
  }
};

TEST(EventGuardTest, AThrowingHandlerLeavesTheEventLoopRunning) {
  test_support::XSession::Get();
  Throwing object;
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  EXPECT_EQ(object.events, 3);
}

}  // namespace
}  // namespace clipnest::linux_backend
