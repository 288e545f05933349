#include "feedback/cues.h"
#include "panel/form1.h"
#include "platform/process_control.h"

namespace clipnest {

void Form1::Image4_Click() {
  LaunchTool(cue::kLoadNotepad, "cmd /X /C start notepad.exe");
}

void Form1::Image5_Click() {
  LaunchTool(cue::kLoadPaint, "cmd /X /C start mspaint.exe");
}

void Form1::Image6_Click() {
  LaunchTool(cue::kLoadCalc, "cmd /X /C start calc.exe");
}

// The tool starts detached with its console hidden; the panel neither waits for it nor looks at
// what became of it.
void Form1::LaunchTool(std::string_view cue_name, std::string_view command_line) {
  peers_.cues.Play(cue_name);
  peers_.process.StartHidden(command_line);
}

}  // namespace clipnest
