#pragma once

namespace clipnest {

// The virtual-key codes the hotkey poller reads.
inline constexpr int kVkControl = 0x11;   // either Ctrl key
inline constexpr int kVkMenu = 0x12;      // either Alt key
inline constexpr int kVkC = 0x43;         // the letter key C
inline constexpr int kVkPause = 0x13;     // Pause/Break
inline constexpr int kVkSnapshot = 0x2C;  // PrintScreen
inline constexpr int kPolledKeys[] = {kVkControl, kVkMenu, kVkC, kVkPause, kVkSnapshot};

}  // namespace clipnest
