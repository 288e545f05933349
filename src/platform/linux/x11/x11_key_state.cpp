#include "platform/linux/x11/x11_key_state.h"

#include <QSocketNotifier>

#include <algorithm>

// Xlib's macros (Bool, Status, None...) clash with Qt's names: Xlib comes after Qt.
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>

namespace clipnest::linux_backend {
namespace {

bool Reported(int virtual_key) {
  return std::find(std::begin(virtual_key::kAll), std::end(virtual_key::kAll), virtual_key) !=
         std::end(virtual_key::kAll);
}

// Raw events reach every client that selects them, whoever grabs the keyboard, from XInput 2.1.
bool HasRawEventsForAll(Display* display, int* opcode) {
  int event = 0;
  int error = 0;
  int major = 2;
  int minor = 2;
  return XQueryExtension(display, "XInputExtension", opcode, &event, &error) &&
         XIQueryVersion(display, &major, &minor) == Success &&
         (major > 2 || (major == 2 && minor >= 1));
}

}  // namespace

X11KeyState::X11KeyState() {
  display_ = XOpenDisplay(nullptr);
  if (display_ && !HasRawEventsForAll(display_, &xinput_opcode_)) {
    XCloseDisplay(display_);
    display_ = nullptr;
  }
  // Without them the key state reports nothing, and Quiet says it cannot wake a poller.
  if (!display_) return;

  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
  XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);

  // A new layout, a switch to another keyboard or an xmodmap can move the keys.
  int opcode = 0;
  int error = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(display_, &opcode, &xkb_event_type_, &error, &major, &minor)) {
    const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(display_, XkbUseCoreKbd, changes, changes);
  } else {
    xkb_event_type_ = 0;
  }
  virtual_key_of_ = ReadVirtualKeyMap(display_);

  // A key held when the program starts is down, though it did not go down since.
  char keys[32] = {};
  XQueryKeymap(display_, keys);
  for (int keycode = 0; keycode < 256; ++keycode)
    held_[keycode] = keys[keycode / 8] >> (keycode % 8) & 1;

  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
  // Events that came in during the round trips above already wait in Xlib's queue, where the
  // notifier cannot see them.
  ReadEvents();
}

X11KeyState::~X11KeyState() {
  notifier_.reset();
  if (display_) XCloseDisplay(display_);
}

void X11KeyState::ReadEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == GenericEvent && event.xcookie.extension == xinput_opcode_ &&
        XGetEventData(display_, &event.xcookie)) {
      const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
      const int keycode = raw->detail;
      const int type = raw->evtype;
      XFreeEventData(display_, &event.xcookie);
      if (type == XI_RawKeyPress || type == XI_RawKeyRelease) {
        OnRawKey(keycode, type == XI_RawKeyPress);
      }
    } else if (event.type == MappingNotify || (xkb_event_type_ && event.type == xkb_event_type_)) {
      virtual_key_of_ = ReadVirtualKeyMap(display_);
    }
  }
}

void X11KeyState::OnRawKey(int keycode, bool pressed) {
  if (keycode < 0 || keycode >= 256) return;
  const int key = virtual_key_of_[keycode];
  // A press of a key that is down already is not a new press: a keyboard repeating a held key
  // sends raw presses without releases (the server's own repeat sends no raw events), and the
  // second Ctrl or Alt adds nothing to a Ctrl or Alt that is down.
  const bool new_press = pressed && key && !Down(key);
  held_[keycode] = pressed;
  if (!new_press) return;
  went_down_[key] = true;
  if (on_press) on_press(key);
  if (on_key_down) on_key_down();
}

bool X11KeyState::Down(int virtual_key) const {
  for (int keycode = 0; keycode < 256; ++keycode) {
    if (held_[keycode] && virtual_key_of_[keycode] == virtual_key) return true;
  }
  return false;
}

std::int16_t X11KeyState::AsyncKeyState(int virtual_key) {
  if (!Reported(virtual_key)) return 0;
  std::uint16_t state = Down(virtual_key) ? kKeyDownNow : 0;
  if (went_down_[virtual_key]) state |= kKeyWentDown;
  went_down_[virtual_key] = false;
  return static_cast<std::int16_t>(state);
}

bool X11KeyState::Quiet(std::span<const int> virtual_keys) {
  if (!display_) return false;
  return std::all_of(virtual_keys.begin(), virtual_keys.end(), [this](int key) {
    // A key this state never reports could go down without a call to on_key_down.
    return Reported(key) && !Down(key) && !went_down_[key];
  });
}

}  // namespace clipnest::linux_backend
