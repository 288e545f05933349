#include "platform/linux/posix/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>

#include <csignal>

namespace clipnest::linux_backend {
namespace {

// The write end of the pipe that carries signals to the event loop: a signal handler may do
// little more than write a byte.
int g_signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_signal_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> on_request)
    : on_request_(std::move(on_request)) {
  if (::pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[64];
    while (::read(g_signal_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (on_request_) on_request_();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) std::signal(signal, SIG_DFL);
}

}  // namespace clipnest::linux_backend
