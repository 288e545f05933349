#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace clipnest {

// The keys the program reads, numbered as Windows numbers its virtual keys.
namespace virtual_key {
inline constexpr int kControl = 0x11;  // either Ctrl
inline constexpr int kAlt = 0x12;      // either Alt
inline constexpr int kC = 0x43;
inline constexpr int kPause = 0x13;  // Pause/Break
inline constexpr int kPrintScreen = 0x2C;
inline constexpr int kAll[] = {kControl, kAlt, kC, kPause, kPrintScreen};
}  // namespace virtual_key

// The two bits of a key's state.
inline constexpr std::uint16_t kKeyDownNow = 0x8000;   // the key is down now
inline constexpr std::uint16_t kKeyWentDown = 0x0001;  // it went down since the last query

// Global key state, whatever program has the focus and whether or not the program's windows
// are shown.
class KeyState {
 public:
  virtual ~KeyState() = default;
  // For a virtual-key code: kKeyDownNow while the key is down now, kKeyWentDown when it went
  // down since the previous query of that key.
  virtual std::int16_t AsyncKeyState(int virtual_key) = 0;

  // True when none of these keys is down or went down since its last query, and the key state
  // calls `on_key_down` as soon as one of them goes down: a poller of these keys alone then has
  // nothing to do until that call. A key state that cannot wake a poller returns false.
  virtual bool Quiet(std::span<const int> virtual_keys) {
    (void)virtual_keys;
    return false;
  }
  std::function<void()> on_key_down;
};

}  // namespace clipnest
