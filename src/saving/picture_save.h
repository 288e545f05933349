#pragma once

namespace clipnest {

class Program;

// The clipboard picture, written to "Sc-" + timestamp + ".bmp" in the save folder (replacing a
// file of that name). Run by the panel's picture button and by the PrintScreen key.
void SavePictureStamped(Program& program);

}  // namespace clipnest
