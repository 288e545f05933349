// The rules of the form model, the same under every backend.
#include "forms/form.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace clipnest {

using K = ControlKind;
using Events = std::vector<std::string>;

const ControlRow kRows[] = {
    {.name = "Command1", .kind = K::kButton},
    {.name = "Check1", .kind = K::kCheckBox},
    {.name = "Text1", .kind = K::kTextBox},
    {.name = "HScroll1", .kind = K::kScrollBar, .value = 128, .range = {1, 255, 1, 10}},
    {.name = "Timer1", .kind = K::kTimer, .interval_ms = 1},
};
constexpr std::string_view kTabs[] = {"Check1", "Text1", "Command1", "HScroll1"};

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    form["Command1"].on_click = [this] { events.push_back("click"); };
    form["Command1"].on_key_press = [this](int key) { events.push_back(std::to_string(key)); };
    form["Text1"].on_change = [this] { events.push_back("text=" + form["Text1"].text()); };
    form["Check1"].on_click = [this] { events.push_back("check=" + Value("Check1")); };
    form["HScroll1"].on_change = [this] { events.push_back("bar=" + Value("HScroll1")); };
    form.Show();
  }
  std::string Value(const char* control) { return std::to_string(form[control].value()); }

  headless::Windows windows;
  Form form{windows, {"Form9", FormStyle::kFixedToolWindow, 3000, 2000, {}, false, kRows, kTabs}};
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

TEST_F(FormTest, EnterPressesAButtonAfterItsKeyPressUnlessHiddenTabSkipsWhatCannotTakeFocus) {
  form.input().KeyTyped(form["Command1"], 13);
  form.input().KeyTyped(form["Command1"], 65);
  form["Command1"].on_key_press = [this](int) { form.Hide(); };
  form.input().KeyTyped(form["Command1"], 13);
  EXPECT_EQ(events, (Events{"13", "click", "65"}));
  form["Text1"].SetEnabled(false);
  form.input().TabPressed(form["Check1"], false);
  EXPECT_EQ(form.focused(), &form["Command1"]);
  form.input().TabPressed(form["HScroll1"], false);
  EXPECT_EQ(form.focused(), &form["Check1"]);
  form.input().TabPressed(form["Check1"], true);
  EXPECT_EQ(form.focused(), &form["HScroll1"]);
}

TEST_F(FormTest, AScrollBarIgnoresTheDraggedThumbStopsAtItsEndsAndWhenDisabled) {
  // Its steps of 1 and 10 and its ends as the user meets them: the settings dialog's story.
  Control& bar = form["HScroll1"];
  form.input().Scrolled(bar, ScrollAction::kThumbTrack, 200);
  form.input().Scrolled(bar, ScrollAction::kToMinimum, 0);
  form.input().Scrolled(bar, ScrollAction::kLineLeft, 0);
  bar.SetEnabled(false);
  form.input().Scrolled(bar, ScrollAction::kLineRight, 0);
  EXPECT_EQ(events, (Events{"bar=1"}));
}

TEST_F(FormTest, NoExceptionOfAHandlerLeavesTheEvent) {
  form["Command1"].on_click = [] { throw std::runtime_error("broken"); };
  form["Timer1"].on_tick = [] { throw 42; };
  EXPECT_NO_THROW(form.input().Clicked(form["Command1"]));
  EXPECT_NO_THROW(form.input().TimerTicked(form["Timer1"]));
  form["Command1"].on_click = [this] { events.push_back("click"); };  // the form goes on working
  form.input().Clicked(form["Command1"]);
  EXPECT_EQ(events, (Events{"click"}));
}

}  // namespace clipnest
