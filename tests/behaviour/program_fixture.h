#pragma once

// A started program on the headless platform with Russian regional settings, sounds on and the
// save folder /clips.
#include "app/program.h"
#include "headless/headless_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace clipnest {

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    h.WriteSettings(
        "[Setup]\r\nLeft=4500\r\nTop=300\r\nSavePath=/clips\r\nBorderColor=8421504\r\n"
        "MainColor=15790320\r\nHotPrintScreen=0\r\nSounds=1\r\nTransparent=0\r\n"
        "TransparentValue=200\r\n");
    h.disk.MakeFolder("/clips");
  }
  void Start() {
    program = std::make_unique<Program>(h.platform);
    program->Start();
    h.sounds.played.clear();
  }
  Form& Panel() { return program->form1().form(); }
  Control& Panel(const std::string& name) { return Panel()[name]; }
  // The cues played since the last look, emptied after each look.
  std::vector<std::string> Cues() {
    auto cues = h.sounds.Cues();
    h.sounds.played.clear();
    return cues;
  }
  // The window system's timer tick, as a backend reports it.
  void Tick() { Panel().input().TimerTicked(Panel("Timer1")); }
  // The settings file's text.
  std::string SettingsText() { return h.disk.Content(h.kSettingsPath); }
  // The user types into a text box one character at a time.
  static void Type(Control& box, const std::string& text) {
    for (char c : text) box.SetText(box.text() + c);
  }

  headless::HeadlessPlatform h;
  std::unique_ptr<Program> program;
};

}  // namespace clipnest
