#include "forms/form_input.h"

#include "forms/event_guard.h"
#include "forms/form.h"

#include <utility>

namespace clipnest {
namespace {
constexpr int kEnter = 13;
}  // namespace

std::string FirstLineOfInsertion(std::string_view before, std::string after) {
  // What the edit put in is what lies between the text's unchanged start and unchanged end.
  std::size_t start = 0;
  while (start < before.size() && start < after.size() && before[start] == after[start]) ++start;
  std::size_t end = 0;
  while (end < before.size() - start && end < after.size() - start &&
         before[before.size() - 1 - end] == after[after.size() - 1 - end]) {
    ++end;
  }
  const std::size_t inserted = after.size() - start - end;
  const std::size_t line_end = after.find_first_of("\r\n", start);
  if (line_end == std::string::npos || line_end >= start + inserted) return after;
  after.erase(line_end, start + inserted - line_end);
  return after;
}

bool FormInput::Pressed(int x, int y, MouseButton button) {
  if (Control* control = form_.DrawnControlAt(x, y)) {
    // A press on a picture button is the button's own, whatever the button of the mouse.
    if (button == MouseButton::kLeft) pressed_ = control;
    return true;
  }
  RunEvent([&] {
    if (form_.on_mouse_down) form_.on_mouse_down();
  });
  return false;
}

void FormInput::Released(int x, int y, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  Control* pressed = std::exchange(pressed_, nullptr);
  if (pressed && form_.DrawnControlAt(x, y) == pressed) RunEvent([&] { pressed->Click(); });
}

void FormInput::KeyTyped(Control& control, int key_ascii) {
  RunEvent([&] {
    control.KeyPress(key_ascii);
    // The handler may have hidden the dialog: a hidden button is not pressed.
    if (key_ascii == kEnter && control.kind() == ControlKind::kButton && form_.visible() &&
        control.visible() && control.enabled()) {
      control.Click();
    }
  });
}

void FormInput::TabPressed(Control& from, bool backwards) {
  RunEvent([&] {
    const auto& order = form_.tab_order();
    const int count = static_cast<int>(order.size());
    int start = 0;
    while (start < count && order[start] != &from) ++start;
    for (int step = 1; step <= count; ++step) {
      const int index = ((start + (backwards ? -step : step)) % count + count) % count;
      if (order[index]->takes_focus()) {
        order[index]->Focus();
        return;
      }
    }
  });
}

void FormInput::TextEdited(Control& control, std::string text) {
  RunEvent([&] {
    if (control.look().multi_line) return control.SetText(std::move(text));
    std::string edited = FirstLineOfInsertion(control.text(), text);
    const bool cut = edited != text;
    control.SetText(std::move(edited));
    // A native box that took more than its one line is put back where the text says.
    if (cut) form_.ControlChanged(control, ControlAspect::kText);
  });
}

void FormInput::Clicked(Control& control) {
  RunEvent([&] { control.Click(); });
}

void FormInput::Scrolled(Control& bar, ScrollAction action, int thumb_position) {
  RunEvent([&] {
    if (!bar.enabled()) return;
    int value = bar.value();
    switch (action) {
      case ScrollAction::kLineLeft:
        value -= bar.small_change();
        break;
      case ScrollAction::kLineRight:
        value += bar.small_change();
        break;
      case ScrollAction::kPageLeft:
        value -= bar.large_change();
        break;
      case ScrollAction::kPageRight:
        value += bar.large_change();
        break;
      case ScrollAction::kToMinimum:
        value = bar.minimum();
        break;
      case ScrollAction::kToMaximum:
        value = bar.maximum();
        break;
      case ScrollAction::kThumbTrack:
        return;
      case ScrollAction::kThumbPosition:
        value = thumb_position;
        break;
    }
    const int before = bar.value();
    bar.SetValue(value);
    // A native bar that moved its thumb by itself is put back where the value says.
    if (bar.value() == before) form_.ControlChanged(bar, ControlAspect::kValue);
  });
}

void FormInput::FocusEntered(Control& control) {
  RunEvent([&] {
    if (form_.focused() != &control) form_.SetFocus(control);
  });
}

void FormInput::TimerTicked(Control& timer) {
  RunEvent([&] {
    if (timer.ticking()) timer.Tick();
  });
}

void FormInput::CloseRequested() {
  RunEvent([&] {
    if (form_.on_close_request) form_.on_close_request();
  });
}

void FormInput::Moved(float left, float top) {
  form_.MovedTo(left, top);
}

void FormInput::MoveFinished() {
  RunEvent([&] { form_.MoveFinished(); });
}

}  // namespace clipnest
