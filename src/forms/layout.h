#pragma once

#include "forms/control.h"
#include "forms/form.h"

#include <span>
#include <string_view>
#include <vector>

namespace clipnest {

// One row of a form's layout table.
struct ControlRow {
  std::string_view name;
  ControlKind kind;
  TwipsRect rect;
  std::string_view text = {};
  ControlLook look = {};
  bool holder = false;  // working state only, never shown
};

// Adds the controls of a layout table to a form, in the table's order (the stacking order,
// topmost first), with their initial texts and looks.
void AddControls(Form& form, std::span<const ControlRow> table);

// The controls named, in that order (for tab orders).
std::vector<Control*> ControlsNamed(const Form& form, std::span<const std::string_view> names);

}  // namespace clipnest
