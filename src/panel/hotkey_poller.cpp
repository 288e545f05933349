#include "dialogs/named_text/named_text_dialog.h"
#include "feedback/cues.h"
#include "panel/form1.h"
#include "panel/module1.h"
#include "platform/key_state.h"
#include "platform/system_screenshot.h"
#include "saving/clipboard_saves.h"

#include <cstdint>

namespace clipnest {
namespace {
// A new press of a key: it reads down, or that it went down since the last query, after a tick
// where it was up. While a key is held, the keyboard's repeat sets "went down" again, which is
// no new press.
bool NewPress(std::int32_t state, bool& was_down) {
  const bool pressed = !was_down && state != 0;
  was_down = (state & kKeyDownNow) != 0;
  return pressed;
}
}  // namespace

// One tick of the hotkey poller: five key-state queries, every tick, in this order.
void Form1::Timer1_Timer() {
  KeyState& keys = peers_.keys;
  // The key states, sign-extended; a key counts as pressed when its state is nonzero.
  const std::int32_t control = keys.AsyncKeyState(virtual_key::kControl);
  const std::int32_t alt = keys.AsyncKeyState(virtual_key::kAlt);
  const std::int32_t c = keys.AsyncKeyState(virtual_key::kC);
  if (control != 0 && alt != 0 && c != 0) peers_.named_text.OpenNamedTextDialog();

  // Pause/Break toggles the panel once per press: a key held over many ticks would otherwise
  // toggle it on each of them and leave it at random.
  if (NewPress(keys.AsyncKeyState(virtual_key::kPause), pause_was_down_)) {
    if (form_.visible()) {
      form_.Hide();
      peers_.cues.Play(cue::kInvisible);
    } else {
      form_.Show();
      peers_.cues.Play(cue::kVisible);
    }
  }

  // PrintScreen saves the clipboard's picture on every tick it reads pressed. The screenshot is
  // taken once per press, on the first of those ticks, before the save: a key held over many
  // ticks saves one picture many times.
  const std::int32_t print_screen = keys.AsyncKeyState(virtual_key::kPrintScreen);
  const bool print_screen_pressed = NewPress(print_screen, print_screen_was_down_);
  if (print_screen != 0 && peers_.module1.IsOn(peers_.module1.HotPrintScreenFlag)) {
    if (print_screen_pressed) peers_.screenshot.PrintScreenPressed(alt != 0);
    peers_.saves.SavePictureStamped();
  }
}

}  // namespace clipnest
