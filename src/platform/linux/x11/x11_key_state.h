#pragma once

#include "platform/key_state.h"
#include "platform/linux/x11/x11_key_map.h"

#include <bitset>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace clipnest::linux_backend {

// The global key state of X11, kept from the raw key events of XInput 2 on a private connection:
// they arrive whatever program has the focus, also while another client grabs the keyboard.
// The UI thread reads them as they come; nothing polls, so at rest the program sleeps.
// Construct it after the QApplication, whose event loop does the reading.
class X11KeyState : public KeyState {
 public:
  X11KeyState();
  ~X11KeyState() override;
  X11KeyState(const X11KeyState&) = delete;
  X11KeyState& operator=(const X11KeyState&) = delete;

  std::int16_t AsyncKeyState(int virtual_key) override;
  bool Quiet(std::span<const int> virtual_keys) override;

  // Called at each press of one of the keys, before anything else learns of it (on_key_down,
  // queries): the platform's own answer to a key, such as the PrintScreen screenshot, comes first.
  std::function<void(int virtual_key)> on_press;

 private:
  void ReadEvents();
  void OnRawKey(int keycode, bool pressed);
  bool Down(int virtual_key) const;

  Display* display_ = nullptr;
  int xinput_opcode_ = 0;
  int xkb_event_type_ = 0;  // 0 when the server has no XKB
  std::unique_ptr<QSocketNotifier> notifier_;
  VirtualKeyMap virtual_key_of_{};
  std::bitset<256> held_;       // by keycode
  std::bitset<256> went_down_;  // by virtual key: went down since the last query of that key
};

}  // namespace clipnest::linux_backend
