#pragma once

// A program on the headless platform with Russian regional settings; by default its settings file
// has every key, sounds on and the save folder /clips.
#include "app/program.h"
#include "headless/headless_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace clipnest {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ProgramTest : public ::testing::Test {
 protected:
  static constexpr const char* kUsual =
      "[Setup]\r\nLeft=4500\r\nTop=300\r\nSavePath=/clips\r\nBorderColor=8421504\r\n"
      "MainColor=15790320\r\nHotPrintScreen=0\r\nSounds=1\r\nTransparent=0\r\n"
      "TransparentValue=200\r\n";
  ProgramTest() { h.disk.MakeFolder("/clips"); }
  // Starts the program with this settings file (nullptr: the disk as it is); the start's cues
  // go to start_cues.
  void Start(const char* settings = kUsual) {
    if (settings) h.WriteSettings(settings);
    program.reset();
    program = std::make_unique<Program>(h.platform);
    program->Start();
    start_cues = Cues();
    h.profile.writes.clear();
  }
  Form& Panel() { return program->form1().form(); }
  Control& Panel(const std::string& name) { return Panel()[name]; }
  // The panel as the user sees it and the folder its saves go into, in one line.
  std::string Seen() {
    std::ostringstream seen;
    seen << (Panel().visible() ? "shown" : "hidden") << (Panel().topmost() ? " on top" : "");
    if (Panel().left()) seen << " at " << *Panel().left() << ',' << *Panel().top();
    seen << " border " << Panel("Shape1").look().fore_colour << " back " << Panel().back_colour();
    if (Panel().layered()) seen << " opacity " << Panel().opacity();
    return seen.str() + " into " + Panel("Text4").text();
  }
  Form& NamedDialog() { return program->named_text().form3()->form(); }
  Form& SettingsDialog() { return program->settings_dialog().form2()->form(); }
  // The cues played, the keys written and the messages shown since the last look.
  std::vector<std::string> Cues() {
    auto cues = h.sounds.Cues();
    h.sounds.played.clear();
    return cues;
  }
  std::vector<std::string> Writes() { return std::exchange(h.profile.writes, {}); }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& message : std::exchange(h.messages.shown, {})) texts.push_back(message.text);
    return texts;
  }
  // The window system's timer tick, as a backend reports it.
  void Tick() { Panel().input().TimerTicked(Panel("Timer1")); }
  std::string SettingsText() { return h.disk.Content(h.kSettingsPath); }
  // The user types into a text box one character at a time.
  static void Type(Control& box, const std::string& text) {
    for (char c : text) box.SetText(box.text() + c);
  }

  headless::HeadlessPlatform h;
  std::unique_ptr<Program> program;
  std::vector<std::string> start_cues;
};

}  // namespace clipnest
