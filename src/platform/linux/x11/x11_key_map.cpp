#include "platform/linux/x11/x11_key_map.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace clipnest::linux_backend {
namespace {

// The key at C's place (XKB's AB03), in the evdev keycodes and in the older AT ones alike.
constexpr int kKeycodeAtPlaceOfC = 54;

int VirtualKeyOf(KeySym keysym) {
  switch (keysym) {
    case XK_Control_L:
    case XK_Control_R:
      return virtual_key::kControl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_ISO_Level3_Shift:  // the right Alt of layouts with AltGr is still Alt to Windows
      return virtual_key::kAlt;
    case XK_Pause:
      return virtual_key::kPause;
    case XK_Print:
      return virtual_key::kPrintScreen;
    case XK_c:
      return virtual_key::kC;
    default:
      return 0;
  }
}

}  // namespace

VirtualKeyMap ReadVirtualKeyMap(Display* display) {
  VirtualKeyMap map{};
  bool has_c = false;
  // Read afresh each time: Xlib's own keysym cache may lag behind a new layout.
  if (XkbDescPtr keyboard = XkbGetMap(display, XkbKeySymsMask, XkbUseCoreKbd)) {
    for (int keycode = keyboard->min_key_code; keycode <= keyboard->max_key_code; ++keycode) {
      // The unshifted symbol in each layout (group) of the key.
      for (int group = 0; group < XkbKeyNumGroups(keyboard, keycode); ++group) {
        if (const int key = VirtualKeyOf(XkbKeySymEntry(keyboard, keycode, 0, group))) {
          map[keycode] = static_cast<std::uint8_t>(key);
          has_c = has_c || key == virtual_key::kC;
        }
      }
    }
    XkbFreeKeyboard(keyboard, 0, True);
  }
  if (!has_c) map[kKeycodeAtPlaceOfC] = virtual_key::kC;
  return map;
}

}  // namespace clipnest::linux_backend
