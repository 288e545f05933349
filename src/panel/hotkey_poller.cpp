#include "dialogs/named_text/named_text_dialog.h"
#include "feedback/cues.h"
#include "panel/form1.h"
#include "panel/hotkeys.h"
#include "panel/module1.h"
#include "platform/key_state.h"
#include "platform/system_screenshot.h"
#include "saving/clipboard_saves.h"

#include <cstdint>

namespace clipnest {
namespace {
constexpr std::int32_t kDownNow = 0x8000;
constexpr std::int32_t kWentDown = 0x0001;
}  // namespace

// One tick of the hotkey poller: five key-state queries, every tick, in this order.
void Form1::Timer1_Timer() {
  KeyState& keys = peers_.keys;
  // The key states, sign-extended; a key counts as pressed when its state is nonzero.
  const std::int32_t control = keys.AsyncKeyState(kVkControl);
  const std::int32_t alt = keys.AsyncKeyState(kVkMenu);
  const std::int32_t c = keys.AsyncKeyState(kVkC);
  if (control != 0 && alt != 0 && c != 0) peers_.named_text.OpenNamedTextDialog();

  // Pause/Break toggles the panel once per press: on the tick where the key first reads down,
  // or reads that it went down since the last query. A key held over many ticks would otherwise
  // toggle it on each of them and leave it at random.
  const std::int32_t pause = keys.AsyncKeyState(kVkPause);
  const bool pause_down = (pause & kDownNow) != 0;
  const bool pause_pressed = (pause & kWentDown) != 0 || (pause_down && !pause_was_down_);
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

  // PrintScreen saves the clipboard's picture on every tick it reads pressed. The screenshot is
  // taken once per press, on the first of those ticks, before the save: a key held over many
  // ticks (whose auto-repeat may set the went-down bit again) saves one picture many times.
  const std::int32_t print_screen = keys.AsyncKeyState(kVkSnapshot);
  const bool print_screen_pressed = print_screen != 0 && !print_screen_was_down_;
  print_screen_was_down_ = (print_screen & kDownNow) != 0;
  if (print_screen != 0 && peers_.module1.IsOn(peers_.module1.HotPrintScreenFlag)) {
    if (print_screen_pressed) peers_.screenshot.PrintScreenPressed(alt != 0);
    peers_.saves.SavePictureStamped();
  }
}

}  // namespace clipnest
