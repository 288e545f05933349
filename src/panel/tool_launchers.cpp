#include "feedback/cues.h"
#include "panel/form1.h"

namespace clipnest {

void Form1::Image4_Click() {
  LaunchTool(cue::kLoadNotepad, Tool::kTextEditor);
}

void Form1::Image5_Click() {
  LaunchTool(cue::kLoadPaint, Tool::kPaint);
}

void Form1::Image6_Click() {
  LaunchTool(cue::kLoadCalc, Tool::kCalculator);
}

// The panel neither waits for the tool nor looks at what became of it.
void Form1::LaunchTool(std::string_view cue_name, Tool tool) {
  peers_.cues.Play(cue_name);
  peers_.tools.Launch(tool);
}

}  // namespace clipnest
