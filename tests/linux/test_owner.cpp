#include "test_owner.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace clipnest::test_support {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
  auto* reply = xcb_intern_atom_reply(
      x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::string(name).size()), name),
      nullptr);
  const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
  std::free(reply);
  return atom;
}

char PieceByte(std::size_t index) {
  return static_cast<char>('a' + index % 26);
}

}  // namespace

std::string TestOwner::Pieces(std::size_t piece_size, std::size_t count) {
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.append(piece_size, PieceByte(i));
  return bytes;
}

TestOwner::TestOwner(OwnerBehaviour behaviour) : behaviour_(std::move(behaviour)) {
  thread_ = std::thread([this] { Serve(); });
  const auto give_up = Clock::now() + std::chrono::seconds(5);
  while (!ready_) {
    if (Clock::now() > give_up) {
      stop_ = true;
      thread_.join();
      throw std::runtime_error("the test owner did not get the clipboard");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TestOwner::~TestOwner() {
  stop_ = true;
  thread_.join();
}

void TestOwner::Serve() {
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) return;
  const xcb_window_t window = xcb_generate_id(x);
  xcb_create_window(x, XCB_COPY_FROM_PARENT, window,
                    xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t clipboard = Atom(x, "CLIPBOARD");
  const xcb_atom_t targets = Atom(x, "TARGETS");
  const xcb_atom_t utf8 = Atom(x, "UTF8_STRING");
  const xcb_atom_t incr = Atom(x, "INCR");
  xcb_set_selection_owner(x, window, clipboard, XCB_CURRENT_TIME);
  auto* owner = xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, clipboard), nullptr);
  ready_ = owner && owner->owner == window;
  std::free(owner);

  // The incremental transfer under way: where its pieces go and when the next one is due.
  xcb_window_t requestor = XCB_NONE;
  xcb_atom_t property = XCB_NONE;
  std::size_t sent = 0;
  bool taken = false;
  Clock::time_point due;

  while (!stop_) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      const int type = event->response_type & 0x7F;
      if (type == XCB_SELECTION_REQUEST) {
        const auto& request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
        xcb_selection_notify_event_t answer{};
        answer.response_type = XCB_SELECTION_NOTIFY;
        answer.time = request.time;
        answer.requestor = request.requestor;
        answer.selection = request.selection;
        answer.target = request.target;
        answer.property = request.property;
        if (request.target == targets) {
          const xcb_atom_t offered[] = {targets, utf8};
          xcb_change_property(x, XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                              XCB_ATOM_ATOM, 32, 2, offered);
        } else if (request.target == utf8 && !behaviour_.in_pieces) {
          xcb_change_property(x, XCB_PROP_MODE_REPLACE, request.requestor, request.property, utf8,
                              8, static_cast<std::uint32_t>(behaviour_.text.size()),
                              behaviour_.text.data());
        } else if (request.target == utf8) {
          const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
          xcb_change_window_attributes(x, request.requestor, XCB_CW_EVENT_MASK, &events);
          xcb_change_property(x, XCB_PROP_MODE_REPLACE, request.requestor, request.property, incr,
                              32, 1, &behaviour_.announced_size);
          requestor = request.requestor;
          property = request.property;
          sent = 0;
          taken = false;
        } else {
          answer.property = XCB_NONE;
        }
        xcb_send_event(x, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&answer));
      } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto& notice = *reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (notice.window == requestor && notice.atom == property &&
            notice.state == XCB_PROPERTY_DELETE && !taken) {
          taken = true;
          due = Clock::now() + (sent < behaviour_.prompt_pieces ? 0ms : behaviour_.pause);
        }
      }
      std::free(event);
    }
    if (requestor != XCB_NONE && taken && Clock::now() >= due) {
      const std::size_t later = sent - std::min(sent, behaviour_.prompt_pieces);
      const bool prompt = sent < behaviour_.prompt_pieces;
      const bool last = !prompt && behaviour_.pieces != 0 && later == behaviour_.pieces;
      std::string piece;
      if (!last) {
        piece.assign(prompt ? behaviour_.prompt_size : behaviour_.piece_size, PieceByte(later));
      }
      xcb_change_property(x, XCB_PROP_MODE_REPLACE, requestor, property, utf8, 8,
                          static_cast<std::uint32_t>(piece.size()), piece.data());
      ++sent;
      taken = false;
      if (last) requestor = XCB_NONE;
    }
    xcb_flush(x);
    pollfd connection{xcb_get_file_descriptor(x), POLLIN, 0};
    ::poll(&connection, 1, 2);
  }
  xcb_disconnect(x);
}

}  // namespace clipnest::test_support
