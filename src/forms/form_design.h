#pragma once

#include "forms/control.h"

#include <span>
#include <string_view>

namespace clipnest {

enum class FormStyle {
  kBorderless,       // no frame, no title bar, no taskbar entry
  kFixedToolWindow,  // thin fixed frame, small title bar with a close box only, no taskbar entry
};

struct ScrollRange {
  int minimum = 0;
  int maximum = 32767;
  int small_change = 1;
  int large_change = 1;
};

// One row of a form's layout table: a control as designed.
struct ControlRow {
  std::string_view name;
  ControlKind kind;
  TwipsRect rect;
  std::string_view text = {};
  ControlLook look = {};
  bool holder = false;  // working state only, never shown
  int value = 0;        // a check box's tick, a scroll bar's position
  bool enabled = true;
  ScrollRange range = {};  // scroll bars
  int interval_ms = 0;     // timers
};

// A window as designed: its static properties and its controls in stacking order, topmost
// first.
struct FormDesign {
  std::string_view name;
  FormStyle style;
  int client_width;  // twips
  int client_height;
  std::string_view caption = {};
  bool centred = false;  // placed in the middle of the screen at its first showing
  std::span<const ControlRow> controls = {};
  std::span<const std::string_view> tab_order = {};
};

}  // namespace clipnest
