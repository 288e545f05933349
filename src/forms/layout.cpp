#include "forms/layout.h"

#include <string>

namespace clipnest {

void AddControls(Form& form, std::span<const ControlRow> table) {
  for (const ControlRow& row : table) {
    Control& control = form.Add(std::string(row.name), row.kind, row.rect);
    control.InitText(std::string(row.text));
    control.look() = row.look;
    control.set_holder(row.holder);
  }
}

std::vector<Control*> ControlsNamed(const Form& form, std::span<const std::string_view> names) {
  std::vector<Control*> controls;
  for (std::string_view name : names) controls.push_back(&form[std::string(name)]);
  return controls;
}

}  // namespace clipnest
