#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace clipnest::linux_backend {

// SIGTERM, SIGHUP and SIGINT (a session ending, a closed terminal, kill without -9) become a
// request to close, handled on the UI thread between two events like any other.
class TerminationSignals : public QObject {
 public:
  explicit TerminationSignals(std::function<void()> on_request);
  ~TerminationSignals() override;

 private:
  std::function<void()> on_request_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace clipnest::linux_backend
