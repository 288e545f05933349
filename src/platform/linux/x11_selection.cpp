#include "x11_selection.h"

#include "platform/runtime_error.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

namespace clipnest {
namespace {

using Clock = std::chrono::steady_clock;

// An owner that does not answer costs about this much, in all, per reading.
constexpr auto kPatience = std::chrono::milliseconds(1000);
// A transfer in pieces may go on while pieces keep coming, up to this.
constexpr auto kLongestTransfer = std::chrono::seconds(20);
constexpr long kChunkLongs = 1 << 20;  // 4 MB per property read

Display* g_display = nullptr;
XErrorHandler g_next_handler = nullptr;

// Errors on our own connection (an owner's window gone, say) are not fatal; the reading simply
// times out or finds nothing. Other connections keep their handler.
int IgnoreOwnErrors(Display* display, XErrorEvent* error) {
  if (display == g_display) return 0;
  return g_next_handler ? g_next_handler(display, error) : 0;
}

[[noreturn]] void CannotRead() {
  throw RuntimeError(ErrorNumber::kCantOpenClipboard);
}

}  // namespace

struct X11Selection::Connection {
  Display* display = nullptr;
  Window window = None;
  Atom clipboard = None;
  Atom property = None;
  Atom stamp = None;
  Atom targets = None;
  Atom incr = None;
};

struct X11Selection::Property {
  Atom type = None;
  int format = 0;
  std::string bytes;                 // items of 8 and 16 bits
  std::vector<unsigned long> longs;  // items of 32 bits, as Xlib hands them over
};

X11Selection::~X11Selection() {
  if (!x_) return;
  if (x_->display) {
    XDestroyWindow(x_->display, x_->window);
    XCloseDisplay(x_->display);
    if (g_display == x_->display) g_display = nullptr;
  }
  delete x_;
}

void X11Selection::Open() {
  if (x_ && x_->display) return;
  Display* display = XOpenDisplay(nullptr);
  if (!display) CannotRead();
  if (!x_) x_ = new Connection;
  x_->display = display;
  g_display = display;
  XErrorHandler previous = XSetErrorHandler(IgnoreOwnErrors);
  if (previous != IgnoreOwnErrors) g_next_handler = previous;
  x_->window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, x_->window, PropertyChangeMask);
  x_->clipboard = XInternAtom(display, "CLIPBOARD", False);
  x_->property = XInternAtom(display, "CLIPNEST_SELECTION", False);
  x_->stamp = XInternAtom(display, "CLIPNEST_TIMESTAMP", False);
  x_->targets = XInternAtom(display, "TARGETS", False);
  x_->incr = XInternAtom(display, "INCR", False);
}

template <typename Matches>
void X11Selection::WaitFor(Matches matches) {
  Display* display = x_->display;
  XEvent event;
  for (;;) {
    while (XPending(display) > 0) {
      XNextEvent(display, &event);
      if (matches(event)) return;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    if (left.count() <= 0) CannotRead();
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    ::poll(&connection, 1, static_cast<int>(left.count()) + 1);
  }
}

// A real server time for the request, so that a late answer to an earlier request that timed
// out is never taken for this one.
unsigned long X11Selection::ServerTime() {
  XChangeProperty(x_->display, x_->window, x_->stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  Time time = CurrentTime;
  WaitFor([&](const XEvent& event) {
    if (event.type != PropertyNotify || event.xproperty.atom != x_->stamp) return false;
    time = event.xproperty.time;
    return true;
  });
  return time;
}

unsigned long X11Selection::Begin() {
  Open();
  deadline_ = Clock::now() + kPatience;
  limit_ = Clock::now() + kLongestTransfer;
  // Whatever an earlier, abandoned reading left behind is of no use now.
  while (XPending(x_->display) > 0) {
    XEvent stale;
    XNextEvent(x_->display, &stale);
  }
  return XGetSelectionOwner(x_->display, x_->clipboard);
}

bool X11Selection::Convert(unsigned long target) {
  const Time time = ServerTime();
  XDeleteProperty(x_->display, x_->window, x_->property);
  XConvertSelection(x_->display, x_->clipboard, target, x_->property, x_->window, time);
  bool granted = false;
  WaitFor([&](const XEvent& event) {
    if (event.type != SelectionNotify) return false;
    const XSelectionEvent& answer = event.xselection;
    if (answer.selection != x_->clipboard || answer.target != target) return false;
    if (answer.time != time && answer.time != CurrentTime) return false;
    granted = answer.property != None;
    return true;
  });
  return granted;
}

X11Selection::Property X11Selection::Take() {
  Property property;
  long offset = 0;
  for (;;) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x_->display, x_->window, x_->property, offset, kChunkLongs, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) != Success) {
      break;
    }
    property.type = type;
    property.format = format;
    if (data && format == 32) {
      const auto* items = reinterpret_cast<const unsigned long*>(data);
      property.longs.insert(property.longs.end(), items, items + count);
    } else if (data && format > 0) {
      property.bytes.append(reinterpret_cast<const char*>(data), count * (format / 8));
    }
    if (data) XFree(data);
    offset += static_cast<long>(count * (format / 8) / 4);
    if (after == 0 || count == 0) break;
  }
  // Deleting the property asks an incremental sender for its next piece.
  XDeleteProperty(x_->display, x_->window, x_->property);
  XFlush(x_->display);
  return property;
}

std::string X11Selection::TakeIncrementally() {
  std::string data;
  for (;;) {
    WaitFor([&](const XEvent& event) {
      return event.type == PropertyNotify && event.xproperty.atom == x_->property &&
             event.xproperty.state == PropertyNewValue;
    });
    Property piece = Take();
    if (piece.bytes.empty()) return data;  // an empty piece ends the transfer
    data += piece.bytes;
    // The owner is answering: give it time for the next piece.
    deadline_ = std::min(limit_, Clock::now() + kPatience);
  }
}

std::vector<std::string> X11Selection::Targets() {
  std::vector<std::string> names;
  if (!Convert(x_->targets)) return names;
  Property list = Take();
  if (list.format != 32 || list.longs.empty()) return names;
  std::vector<Atom> atoms(list.longs.begin(), list.longs.end());
  std::vector<char*> atom_names(atoms.size(), nullptr);
  if (XGetAtomNames(x_->display, atoms.data(), static_cast<int>(atoms.size()), atom_names.data())) {
    for (char* name : atom_names) {
      if (!name) continue;
      names.emplace_back(name);
      XFree(name);
    }
  }
  return names;
}

std::optional<std::string> X11Selection::Fetch(const std::string& target) {
  const Atom atom = XInternAtom(x_->display, target.c_str(), False);
  if (!Convert(atom)) return std::nullopt;
  Property property = Take();
  if (property.type == x_->incr) return TakeIncrementally();
  return std::move(property.bytes);
}

}  // namespace clipnest
