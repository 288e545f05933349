#pragma once

namespace clipnest {

class Program;

// The clipboard text, appended to "Text-" + timestamp + ".txt" in the save folder.
void SaveTextStamped(Program& program);

}  // namespace clipnest
