#pragma once

#include <functional>
#include <memory>
#include <string>

class QApplication;
typedef struct _XDisplay Display;

namespace clipnest::test_support {

// Keycodes of Xvfb's keyboard (evdev), chosen by the tests without asking the program's mapping.
namespace keycode {
constexpr int kControlLeft = 37, kControlRight = 105, kAltLeft = 64, kAltRight = 108;
constexpr int kPause = 127, kPrintScreen = 107;
constexpr int kPlaceOfC = 54;  // c in QWERTY, j in Dvorak
constexpr int kPlaceOfI = 31;  // c in Dvorak
}  // namespace keycode

// A private Xvfb of its own for this test process, started at first use and ended with the
// process, with the program's QApplication on it and a connection for the tests' own requests.
class XSession {
 public:
  static XSession& Get();
  ~XSession();

  // Presses or releases keys through XTest; returns when the server has handled them. Two or
  // more keys go in one request batch, microseconds apart.
  void Keys(std::initializer_list<std::pair<int, bool>> keys);
  void Key(int keycode, bool down) { Keys({{keycode, down}}); }
  // Another program (xclip) offers the bytes as this target of the CLIPBOARD; true once the
  // program's Qt has seen the change, as a running program would have long before a key press.
  bool OfferFromAnotherProgram(const std::string& target, const std::string& bytes);
  // The window that owns the CLIPBOARD selection now (0 for none).
  unsigned long ClipboardOwner();

 private:
  XSession();
  int server_pid_ = 0;
  Display* display_ = nullptr;
  std::unique_ptr<QApplication> application_;  // the program's own, event guard included
};

// Lets the program's event loop run until `done` says so; false when that takes seconds.
bool RunEventsUntil(const std::function<bool()>& done);

}  // namespace clipnest::test_support
