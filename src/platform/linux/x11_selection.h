#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace clipnest::x11 {

// What one reading of the clipboard may cost before it is abandoned.
struct SelectionLimits {
  // An owner that does not answer costs about this much, in all, per reading; a transfer in
  // pieces waits this long at most for each piece.
  std::chrono::milliseconds patience{1000};
  // The most bytes one transfer may bring; an owner that offers or sends more is not read.
  std::size_t largest_transfer = std::size_t{512} << 20;
  // A transfer in pieces may take this long from the reading's start whatever its pace; then
  // it must have kept up this many bytes a second on average since the start...
  std::chrono::milliseconds grace{1500};
  std::size_t minimum_pace = std::size_t{64} << 20;
  // ...and each second must bring this many more: a transfer that trickles after a fast start
  // stands still.
  std::size_t least_in_a_second = std::size_t{1} << 20;
};

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

}  // namespace clipnest::x11
