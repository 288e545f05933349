#include "platform/linux/x11/x11_selection.h"

#include "platform/linux/x11/large_buffer.h"
#include "platform/runtime_error.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace clipnest::linux_backend {
namespace {

using Clock = std::chrono::steady_clock;

// Each property read brings up to 4 MB in one reply, which xcb hands over as it read it.
constexpr std::uint32_t kChunkLongs = 1 << 20;
// Room that a transfer in pieces gets at its start when the owner announces no size: reserved but
// not touched, so that the pieces of most texts land in place instead of being copied into ever
// larger buffers. Room that no piece reaches costs address space, not memory.
constexpr std::size_t kPiecesRoom = std::size_t{128} << 20;
// An owner's first targets are enough to choose from; a longer list is not read on.
constexpr std::uint32_t kMostTargets = 1024;

[[noreturn]] void CannotRead() {
  throw RuntimeError(ErrorNumber::kCantOpenClipboard);
}

// Replies and events are the caller's to free.
template <typename T>
using Owned = std::unique_ptr<T, decltype(&std::free)>;
template <typename T>
Owned<T> Own(T* reply) {
  return Owned<T>(reply, &std::free);
}

xcb_atom_t Intern(xcb_connection_t* connection, const std::string& name) {
  const auto reply = Own(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr));
  if (!reply) CannotRead();
  return reply->atom;
}

}  // namespace

struct X11Selection::Connection {
  ~Connection() { xcb_disconnect(xcb); }
  xcb_connection_t* xcb = nullptr;
  xcb_window_t window = XCB_NONE;
  xcb_atom_t clipboard = XCB_NONE;
  xcb_atom_t property = XCB_NONE;
  xcb_atom_t stamp = XCB_NONE;
  xcb_atom_t targets = XCB_NONE;
  xcb_atom_t incr = XCB_NONE;
};

// What a property held besides its bytes: its type, and its first item of 32 bits (the least
// size that an incremental transfer announces).
struct X11Selection::Piece {
  xcb_atom_t type = XCB_NONE;
  std::uint32_t first_long = 0;
};

X11Selection::X11Selection(SelectionLimits limits) : limits_(limits) {}

X11Selection::~X11Selection() = default;

void X11Selection::Open() {
  // A connection that broke (the server gone, say) is replaced by a new one.
  if (x_ && !xcb_connection_has_error(x_->xcb)) return;
  x_.reset();
  auto x = std::make_unique<Connection>();
  int screen_number = 0;
  x->xcb = xcb_connect(nullptr, &screen_number);
  if (xcb_connection_has_error(x->xcb)) CannotRead();
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x->xcb));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) CannotRead();
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  x->window = xcb_generate_id(x->xcb);
  xcb_create_window(x->xcb, XCB_COPY_FROM_PARENT, x->window, screens.data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  x->clipboard = Intern(x->xcb, "CLIPBOARD");
  x->property = Intern(x->xcb, "CLIPNEST_SELECTION");
  x->stamp = Intern(x->xcb, "CLIPNEST_TIMESTAMP");
  x->targets = Intern(x->xcb, "TARGETS");
  x->incr = Intern(x->xcb, "INCR");
  x_ = std::move(x);
}

template <typename Matches>
void X11Selection::WaitFor(Matches matches) {
  xcb_flush(x_->xcb);
  for (;;) {
    // Looked at before every event, so that a stream of other events cannot hold the reading.
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    if (left.count() <= 0) CannotRead();
    if (const auto event = Own(xcb_poll_for_event(x_->xcb))) {
      if (matches(*event)) return;
      continue;
    }
    if (xcb_connection_has_error(x_->xcb)) CannotRead();
    pollfd connection{xcb_get_file_descriptor(x_->xcb), POLLIN, 0};
    ::poll(&connection, 1, static_cast<int>(left.count()) + 1);
  }
}

// A real server time for the request, so that a late answer to an earlier request that timed
// out is never taken for this one.
unsigned long X11Selection::ServerTime() {
  xcb_change_property(x_->xcb, XCB_PROP_MODE_APPEND, x_->window, x_->stamp, XCB_ATOM_STRING, 8, 0,
                      nullptr);
  xcb_timestamp_t time = XCB_CURRENT_TIME;
  WaitFor([&](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto& notice = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notice.window != x_->window || notice.atom != x_->stamp) return false;
    time = notice.time;
    return true;
  });
  return time;
}

unsigned long X11Selection::Begin() {
  Open();
  begun_ = Clock::now();
  deadline_ = begun_ + limits_.patience;
  // Whatever an earlier, abandoned reading left behind is of no use now.
  while (Own(xcb_poll_for_event(x_->xcb))) {
  }
  const auto owner = Own(xcb_get_selection_owner_reply(
      x_->xcb, xcb_get_selection_owner(x_->xcb, x_->clipboard), nullptr));
  if (!owner) CannotRead();
  return owner->owner;
}

bool X11Selection::Convert(unsigned long target) {
  const xcb_timestamp_t time = ServerTime();
  xcb_delete_property(x_->xcb, x_->window, x_->property);
  xcb_convert_selection(x_->xcb, x_->window, x_->clipboard, static_cast<xcb_atom_t>(target),
                        x_->property, time);
  bool granted = false;
  // The owner sends the answer, so it carries the flag of a sent event.
  WaitFor([&](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7F) != XCB_SELECTION_NOTIFY) return false;
    const auto& answer = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
    if (answer.selection != x_->clipboard || answer.target != target) return false;
    if (answer.time != time && answer.time != XCB_CURRENT_TIME) return false;
    granted = answer.property != XCB_NONE;
    return true;
  });
  return granted;
}

// Appends the property's items of 8 or 16 bits to `data`; of items of 32 bits only the first
// is kept. Each read tells how much is left, so a property that would take `data` beyond the
// largest transfer is refused before more of it is read.
X11Selection::Piece X11Selection::Take(std::string& data) {
  Piece piece;
  std::uint32_t offset = 0;
  for (;;) {
    // Deleted by the read that reaches its end: an incremental sender then starts on its next
    // piece while this one is still on its way here.
    const auto reply =
        Own(xcb_get_property_reply(x_->xcb,
                                   xcb_get_property(x_->xcb, 1, x_->window, x_->property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, offset, kChunkLongs),
                                   nullptr));
    if (!reply) break;
    piece.type = reply->type;
    const void* items = xcb_get_property_value(reply.get());
    if (reply->format == 32) {
      if (reply->value_len > 0) std::memcpy(&piece.first_long, items, sizeof piece.first_long);
      break;
    }
    const auto size = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
    // Checked at every read: an owner may append to the property while it is being read.
    const std::size_t rest = size + reply->bytes_after;
    if (rest > limits_.largest_transfer - data.size()) CannotRead();
    ReserveLarge(data, data.size() + rest);
    data.append(static_cast<const char*>(items), size);
    if (reply->bytes_after == 0 || size == 0) break;
    offset += static_cast<std::uint32_t>(size / 4);
  }
  return piece;
}

std::string X11Selection::TakeIncrementally(std::size_t announced_size) {
  // The owner announces the least it will send: more than the largest transfer is refused at once.
  if (announced_size > limits_.largest_transfer) CannotRead();
  std::string data;
  ReserveLarge(
      data, announced_size > 0 ? announced_size : std::min(kPiecesRoom, limits_.largest_transfer));
  // When the transfer last brought the bytes expected in a second, and how many it had then.
  Clock::time_point moved = begun_;
  std::size_t moved_size = 0;
  for (;;) {
    WaitFor([&](const xcb_generic_event_t& event) {
      if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
      const auto& notice = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      return notice.window == x_->window && notice.atom == x_->property &&
             notice.state == XCB_PROPERTY_NEW_VALUE;
    });
    const std::size_t before = data.size();
    Take(data);
    if (data.size() == before) break;  // an empty piece ends the transfer
    // The owner is answering: it gets time for the next piece while the transfer keeps its pace.
    const auto now = Clock::now();
    if (data.size() - moved_size >= limits_.least_in_a_second) {
      moved = now;
      moved_size = data.size();
    }
    const auto pace_deadline = begun_ + std::chrono::duration_cast<Clock::duration>(
                                            PaceDeadline(limits_, data.size(), moved - begun_));
    deadline_ = std::min(now + limits_.patience, pace_deadline);
  }
  return data;
}

std::vector<std::string> X11Selection::Targets() {
  std::vector<std::string> names;
  if (!Convert(x_->targets)) return names;
  const auto list =
      Own(xcb_get_property_reply(x_->xcb,
                                 xcb_get_property(x_->xcb, 1, x_->window, x_->property,
                                                  XCB_GET_PROPERTY_TYPE_ANY, 0, kMostTargets),
                                 nullptr));
  if (!list || list->format != 32) return names;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
  // All the names are asked for before the first answer is awaited.
  std::vector<xcb_get_atom_name_cookie_t> asked;
  for (std::uint32_t i = 0; i < list->value_len; ++i) {
    asked.push_back(xcb_get_atom_name(x_->xcb, atoms[i]));
  }
  for (const xcb_get_atom_name_cookie_t& cookie : asked) {
    // An atom that does not exist is answered with an error, and no name.
    const auto name = Own(xcb_get_atom_name_reply(x_->xcb, cookie, nullptr));
    if (name) names.emplace_back(xcb_get_atom_name_name(name.get()), name->name_len);
  }
  return names;
}

std::optional<std::string> X11Selection::Fetch(const std::string& target) {
  const xcb_atom_t atom = Intern(x_->xcb, target);
  if (!Convert(atom)) return std::nullopt;
  std::string data;
  const Piece first = Take(data);
  if (first.type == x_->incr) return TakeIncrementally(first.first_long);
  return data;
}

}  // namespace clipnest::linux_backend
