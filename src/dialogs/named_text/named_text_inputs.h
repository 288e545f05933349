#pragma once

namespace clipnest {

class Clipboard;
class Control;
class Cues;
class TextFiles;
class WindowSystem;

// What the named text dialog works with, looked up once by the program.
struct NamedTextInputs {
  WindowSystem& windows;
  Control& captured_text;  // the panel's holder of the text to save
  Control& save_folder;    // the panel's holder of the save folder
  Clipboard& clipboard;
  TextFiles& text_files;
  Cues& cues;
};

}  // namespace clipnest
