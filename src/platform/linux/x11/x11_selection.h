#pragma once

#include "transfer_pace.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace clipnest::linux_backend {

// Reads the CLIPBOARD selection over a private X connection with a hidden window of its own,
// so a slow owner never stalls the program's windows for long. A reading (Begin, then any
// Targets and Fetch calls) is abandoned, with RuntimeError(kCantOpenClipboard), when the owner
// keeps it waiting beyond the limits' patience, offers more than the largest transfer, or sends
// its pieces below the limits' pace after the grace; a missing display fails the same way.
class X11Selection {
 public:
  explicit X11Selection(SelectionLimits limits = {});
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
  struct Connection;
  struct Piece;
  void Open();
  unsigned long ServerTime();
  // Converts the selection to a target into our property; false when the owner refuses.
  bool Convert(unsigned long target);
  Piece Take(std::string& data);
  std::string TakeIncrementally(std::size_t announced_size);
  template <typename Matches>
  void WaitFor(Matches matches);

  SelectionLimits limits_;
  std::unique_ptr<Connection> x_;
  std::chrono::steady_clock::time_point begun_;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace clipnest::linux_backend
