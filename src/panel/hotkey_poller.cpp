#include "dialogs/named_text/named_text_dialog.h"
#include "feedback/cues.h"
#include "panel/form1.h"
#include "panel/module1.h"
#include "platform/key_state.h"
#include "saving/clipboard_saves.h"

#include <cstdint>

namespace clipnest {
// One tick of the hotkey poller: five key-state queries, every tick, in this order.
void Form1::Timer1_Timer() {
  KeyState& keys = peers_.keys;
  // The key states, sign-extended; a key counts as pressed when its state is nonzero.
  const std::int32_t control = keys.AsyncKeyState(virtual_key::kControl);
  const std::int32_t alt = keys.AsyncKeyState(virtual_key::kAlt);
  const std::int32_t c = keys.AsyncKeyState(virtual_key::kC);
  if (control != 0 && alt != 0 && c != 0) peers_.named_text.OpenNamedTextDialog();

  // Pause/Break toggles the panel once per press: on the tick where the key reads down, or that
  // it went down since the last query, after a tick where it was up. A key held over many ticks
  // would otherwise toggle it on each of them and leave it at random; and while it is held, the
  // keyboard's repeat sets "went down" again, which is no new press.
  const std::int32_t pause = keys.AsyncKeyState(virtual_key::kPause);
  const bool pause_down = (pause & kKeyDownNow) != 0;
  const bool pause_pressed = !pause_was_down_ && (pause_down || (pause & kKeyWentDown) != 0);
  pause_was_down_ = pause_down;
  if (pause_pressed) {
    if (form_.visible()) {
      form_.Hide();
      peers_.cues.Play(cue::kInvisible);
    } else {
      form_.Show();
      peers_.cues.Play(cue::kVisible);
    }
  }

  const std::int32_t print_screen = keys.AsyncKeyState(virtual_key::kPrintScreen);
  if (print_screen != 0 && peers_.module1.IsOn(peers_.module1.HotPrintScreenFlag))
    peers_.saves.SavePictureStamped();
}

}  // namespace clipnest
