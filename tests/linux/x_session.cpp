#include "x_session.h"

#include <QClipboard>
#include "platform/linux/qt/guarded_application.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace clipnest::test_support {

XSession& XSession::Get() {
  static XSession session;
  return session;
}

XSession::XSession() {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
  server_pid_ = ::fork();
  if (server_pid_ < 0) throw std::runtime_error("fork failed");
  if (server_pid_ == 0) {
    ::close(pipe_ends[0]);
    // No server outlives a test process that crashes.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int quiet = ::open("/dev/null", O_WRONLY);
    ::dup2(quiet, 1);
    ::dup2(quiet, 2);
    const std::string fd = std::to_string(pipe_ends[1]);
    // Xvfb picks a free display itself and writes its number when it is ready.
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
             "tcp", "-noreset", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe_ends[1]);
  std::string number;
  char digit;
  while (::read(pipe_ends[0], &digit, 1) == 1 && digit != '\n') number += digit;
  ::close(pipe_ends[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  ::setenv("DISPLAY", (":" + number).c_str(), 1);
  display_ = XOpenDisplay(nullptr);
  if (!display_) throw std::runtime_error("cannot open the display of Xvfb");
  static int argc = 1;
  static char name[] = "clipnest_linux_tests";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "xcb");
  application_ = std::make_unique<linux_backend::GuardedApplication>(argc, argv);
}

XSession::~XSession() {
  application_.reset();
  XCloseDisplay(display_);
  ::kill(server_pid_, SIGTERM);
  ::waitpid(server_pid_, nullptr, 0);
}

void XSession::Keys(std::initializer_list<std::pair<int, bool>> keys) {
  for (const auto& [keycode, down] : keys)
    XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), down, CurrentTime);
  XSync(display_, False);
}

bool XSession::OfferFromAnotherProgram(const std::string& target, const std::string& bytes) {
  bool noticed = false;
  const auto connection = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                           [&] { noticed = true; });
  // xclip serves on in the background until another owner comes, or until the server ends.
  const std::string command = "xclip -selection clipboard -t " + target + " -i 2>/dev/null";
  FILE* xclip = ::popen(command.c_str(), "w");
  bool offered = xclip && std::fwrite(bytes.data(), 1, bytes.size(), xclip) == bytes.size();
  if (xclip) offered = ::pclose(xclip) == 0 && offered;
  offered = offered && RunEventsUntil([&] { return noticed; });
  QObject::disconnect(connection);
  return offered;
}

unsigned long XSession::ClipboardOwner() {
  return XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False));
}

bool RunEventsUntil(const std::function<bool()>& done) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace clipnest::test_support
