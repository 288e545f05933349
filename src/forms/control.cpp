#include "forms/control.h"

#include "forms/form.h"

#include <algorithm>

namespace clipnest {

Control::Control(Form& form, std::string name, ControlKind kind, TwipsRect rect)
    : form_(form), name_(std::move(name)), kind_(kind), rect_(rect) {}

bool Control::windowed() const {
  switch (kind_) {
    case ControlKind::kTextBox:
    case ControlKind::kCheckBox:
    case ControlKind::kButton:
    case ControlKind::kScrollBar:
      return true;
    default:
      return false;
  }
}

bool Control::drawn() const {
  if (holder_ || windowed() || !visible_) return false;
  return kind_ != ControlKind::kTimer && kind_ != ControlKind::kPictureHolder;
}

bool Control::takes_focus() const {
  return windowed() && enabled_ && visible_;
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Notify(ControlAspect::kText);
  if (on_change) on_change();
}

void Control::SetValue(int value) {
  if (kind_ == ControlKind::kScrollBar) value = std::clamp(value, minimum_, maximum_);
  if (value == value_) return;
  value_ = value;
  Notify(ControlAspect::kValue);
  // A check box reports a new state as a click, a scroll bar as a change.
  if (kind_ == ControlKind::kCheckBox) {
    if (on_click) on_click();
  } else if (on_change) {
    on_change();
  }
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(ControlAspect::kEnabled);
}

void Control::SetForeColour(OleColour colour) {
  look_.fore_colour = colour;
  Notify(ControlAspect::kColours);
}

void Control::SetBackColour(OleColour colour) {
  look_.back_colour = colour;
  Notify(ControlAspect::kColours);
}

void Control::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  Notify(ControlAspect::kPicture);
}

void Control::SetRange(int minimum, int maximum, int small_change, int large_change) {
  minimum_ = minimum;
  maximum_ = maximum < minimum ? minimum : maximum;
  small_change_ = small_change;
  large_change_ = large_change;
  // A value that the new range cannot hold moves into it, as a change of the value.
  if (kind_ == ControlKind::kScrollBar && (value_ < minimum_ || value_ > maximum_)) {
    SetValue(std::clamp(value_, minimum_, maximum_));
  } else {
    Notify(ControlAspect::kValue);
  }
}

void Control::Click() {
  if (!enabled_) return;
  if (kind_ == ControlKind::kCheckBox) {
    SetValue(value_ == 0 ? 1 : 0);
    return;
  }
  if (on_click) on_click();
}

void Control::KeyPress(int key_ascii) {
  if (on_key_press) on_key_press(key_ascii);
}

void Control::Tick() {
  if (on_tick) on_tick();
  if (running_ && !resting_ && rests_when && rests_when()) {
    resting_ = true;
    Notify(ControlAspect::kTimer);
  }
}

void Control::StartTicking() {
  if (kind_ != ControlKind::kTimer || interval_ms_ <= 0 || running_) return;
  running_ = true;
  Notify(ControlAspect::kTimer);
}

void Control::Wake() {
  if (!resting_) return;
  resting_ = false;
  Notify(ControlAspect::kTimer);
}

void Control::Focus() {
  form_.SetFocus(*this);
}

void Control::Notify(ControlAspect aspect) {
  form_.ControlChanged(*this, aspect);
}

}  // namespace clipnest
