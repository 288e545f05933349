#include "forms/layout.h"

#include <string>

namespace clipnest {

void AddControls(Form& form, std::span<const ControlSpec> table) {
  for (const ControlSpec& spec : table) {
    Control& control = form.Add(std::string(spec.name), spec.kind, spec.rect);
    control.InitText(std::string(spec.text));
    control.look() = spec.look;
    control.set_holder(spec.holder);
  }
}

std::vector<Control*> ControlsNamed(const Form& form, std::span<const std::string_view> names) {
  std::vector<Control*> controls;
  for (std::string_view name : names) controls.push_back(&form[std::string(name)]);
  return controls;
}

}  // namespace clipnest
