// The control-change rule: a state that really changes runs the user's handler; the same state
// runs nothing.
#include "forms/form.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

namespace clipnest {
namespace {

class ControlChangeTest : public ::testing::Test {
 protected:
  ControlChangeTest() : form(windows, "Form9", FormStyle::kFixedToolWindow, 3000, 2000) {
    Control& box = form.Add("Text1", ControlKind::kTextBox, {60, 60, 1000, 300});
    box.on_change = [this] { changes.push_back("Text1"); };
    Control& check = form.Add("Check1", ControlKind::kCheckBox, {60, 400, 1000, 200});
    check.on_click = [this] {
      changes.push_back("Check1=" + std::to_string(form["Check1"].value()));
    };
    Control& slider = form.Add("HScroll1", ControlKind::kScrollBar, {60, 700, 1000, 200});
    slider.SetRange(1, 255, 1, 10);
    slider.InitValue(128);
    slider.on_change = [this] {
      changes.push_back("HScroll1=" + std::to_string(form["HScroll1"].value()));
    };
  }

  headless::Windows windows;
  Form form;
  std::vector<std::string> changes;
};

TEST_F(ControlChangeTest, SettingANewStateRunsTheHandlerOnce) {
  form["Text1"].SetText("abc");
  form["Check1"].SetValue(1);
  form["HScroll1"].SetValue(200);
  EXPECT_EQ(changes, (std::vector<std::string>{"Text1", "Check1=1", "HScroll1=200"}));
}

TEST_F(ControlChangeTest, SettingTheSameStateRunsNothing) {
  form["Text1"].SetText("");
  form["Check1"].SetValue(0);
  form["HScroll1"].SetValue(128);
  EXPECT_TRUE(changes.empty());
}

TEST_F(ControlChangeTest, AUserClickOnACheckBoxTogglesItThroughTheSameHandler) {
  form["Check1"].Click();
  form["Check1"].Click();
  EXPECT_EQ(changes, (std::vector<std::string>{"Check1=1", "Check1=0"}));
}

TEST_F(ControlChangeTest, AScrollBarStaysInItsRangeAndAClampedSameValueRunsNothing) {
  form["HScroll1"].SetValue(1000);
  form["HScroll1"].SetValue(300);
  form["HScroll1"].SetValue(-5);
  EXPECT_EQ(changes, (std::vector<std::string>{"HScroll1=255", "HScroll1=1"}));
}

TEST_F(ControlChangeTest, ADisabledControlIgnoresClicks) {
  form["Check1"].SetEnabled(false);
  form["Check1"].Click();
  EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace clipnest
