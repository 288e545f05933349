#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace clipnest {

// Reads the CLIPBOARD selection over a private X connection with a hidden window of its own,
// so a slow owner never stalls the program's windows for long. One reading (Begin, then any
// Targets and Fetch calls) waits about a second in all for an owner that does not answer; a
// large transfer that keeps arriving in pieces may take longer. Timeouts and a missing display
// throw RuntimeError(kCantOpenClipboard).
class X11Selection {
 public:
  X11Selection() = default;
  ~X11Selection();
  X11Selection(const X11Selection&) = delete;
  X11Selection& operator=(const X11Selection&) = delete;

  // Starts a reading; the owner's window, 0 when the clipboard has no owner.
  unsigned long Begin();
  // The targets (formats) the owner offers; empty when it does not list them.
  std::vector<std::string> Targets();
  // The data of one target; nothing when the owner refuses it.
  std::optional<std::string> Fetch(const std::string& target);

 private:
  struct Property;
  void Open();
  unsigned long ServerTime();
  // Converts the selection to a target into our property; false when the owner refuses.
  bool Convert(unsigned long target);
  Property Take();
  std::string TakeIncrementally();
  template <typename Matches>
  void WaitFor(Matches matches);

  struct Connection;
  Connection* x_ = nullptr;
  std::chrono::steady_clock::time_point deadline_;
  std::chrono::steady_clock::time_point limit_;
};

}  // namespace clipnest
