// The rules of the form model, the same under every backend: a control's handler runs only when
// its state really changes; raw events become a form's events (keys on controls, the tab order,
// scroll bars); no handler's exception leaves an event.
#include "forms/form.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace clipnest {
namespace {

using K = ControlKind;
using Events = std::vector<std::string>;

const ControlRow kRows[] = {
    {"Command1", K::kButton, {0, 0, 600, 300}, "OK"},
    {"Check1", K::kCheckBox, {0, 400, 600, 200}, "Box"},
    {"Text1", K::kTextBox, {0, 700, 600, 300}},
    {.name = "HScroll1",
     .kind = K::kScrollBar,
     .rect = {0, 1100, 1200, 200},
     .value = 128,
     .range = {1, 255, 1, 10}},
    {.name = "Timer1", .kind = K::kTimer, .interval_ms = 1},
};
constexpr std::string_view kTabs[] = {"Check1", "Text1", "Command1", "HScroll1"};

class FormTest : public ::testing::Test {
 protected:
  FormTest()
      : form(windows, FormDesign{.name = "Form9",
                                 .style = FormStyle::kFixedToolWindow,
                                 .client_width = 3000,
                                 .client_height = 2000,
                                 .controls = kRows,
                                 .tab_order = kTabs}) {
    form["Command1"].on_click = [this] { events.push_back("click"); };
    form["Command1"].on_key_press = [this](int key) { events.push_back(std::to_string(key)); };
    form["Text1"].on_change = [this] { events.push_back("text=" + form["Text1"].text()); };
    form["Check1"].on_click = [this] {
      events.push_back("check=" + std::to_string(form["Check1"].value()));
    };
    form["HScroll1"].on_change = [this] {
      events.push_back("bar=" + std::to_string(form["HScroll1"].value()));
    };
    form.Show();
  }

  headless::Windows windows;
  Form form;
  Events events;
};

TEST_F(FormTest, OnlyARealChangeOfStateRunsTheHandler) {
  form["Text1"].SetText("");
  form["Check1"].SetValue(0);
  form["HScroll1"].SetValue(128);
  EXPECT_TRUE(events.empty());
  form["Text1"].SetText("abc");
  form["Check1"].Click();  // a click toggles through the same handler
  form["Check1"].Click();
  form["HScroll1"].SetValue(1000);  // kept in its range: once at 255
  form["HScroll1"].SetValue(300);
  form["HScroll1"].SetRange(1, 100, 1, 10);  // a range that cannot hold the value moves it
  form["Check1"].SetEnabled(false);
  form["Check1"].Click();
  EXPECT_EQ(events, (Events{"text=abc", "check=1", "check=0", "bar=255", "bar=100"}));
}

TEST_F(FormTest, EnterOnAButtonRunsItsKeyPressThenPressesIt) {
  form.input().KeyTyped(form["Command1"], 13);
  form.input().KeyTyped(form["Command1"], 65);
  EXPECT_EQ(events, (Events{"13", "click", "65"}));
  // A key press that hides the form leaves the button unpressed.
  events.clear();
  form["Command1"].on_key_press = [this](int) { form.Hide(); };
  form.input().KeyTyped(form["Command1"], 13);
  EXPECT_TRUE(events.empty());
}

TEST_F(FormTest, TabGoesAlongTheTabOrderOverControlsThatCannotTakeTheFocus) {
  form["Text1"].SetEnabled(false);
  form.input().TabPressed(form["Check1"], false);
  EXPECT_EQ(form.focused(), &form["Command1"]);
  form.input().TabPressed(form["HScroll1"], false);
  EXPECT_EQ(form.focused(), &form["Check1"]);
  form.input().TabPressed(form["Check1"], true);
  EXPECT_EQ(form.focused(), &form["HScroll1"]);
}

TEST_F(FormTest, AScrollBarStepsStopsAtItsEndsAndIgnoresTheDraggedThumb) {
  FormInput& input = form.input();
  Control& bar = form["HScroll1"];
  input.Scrolled(bar, ScrollAction::kLineRight, 0);
  input.Scrolled(bar, ScrollAction::kPageLeft, 0);
  input.Scrolled(bar, ScrollAction::kThumbTrack, 200);
  input.Scrolled(bar, ScrollAction::kThumbPosition, 250);
  input.Scrolled(bar, ScrollAction::kPageRight, 0);
  input.Scrolled(bar, ScrollAction::kLineRight, 0);
  input.Scrolled(bar, ScrollAction::kToMinimum, 0);
  input.Scrolled(bar, ScrollAction::kLineLeft, 0);
  EXPECT_EQ(events, (Events{"bar=129", "bar=119", "bar=250", "bar=255", "bar=1"}));
  bar.SetEnabled(false);
  input.Scrolled(bar, ScrollAction::kLineRight, 0);
  EXPECT_EQ(bar.value(), 1);
}

TEST_F(FormTest, NoExceptionOfAHandlerLeavesTheEvent) {
  form["Command1"].on_click = [] { throw std::runtime_error("broken"); };
  form["Timer1"].on_tick = [] { throw 42; };
  EXPECT_NO_THROW(form.input().Clicked(form["Command1"]));
  EXPECT_NO_THROW(form.input().TimerTicked(form["Timer1"]));
  // The form goes on working.
  form["Command1"].on_click = [this] { events.push_back("click"); };
  form.input().Clicked(form["Command1"]);
  EXPECT_EQ(events, (Events{"click"}));
}

}  // namespace
}  // namespace clipnest
