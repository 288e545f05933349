#pragma once

namespace clipnest {

class Clipboard;
class Control;
class Cues;
class Files;
class RegionalClock;
class TextFiles;

// The panel's hidden holders that carry the saves' working values.
struct SaveHolders {
  Control& time_text;      // the current time, the timestamp rule's scratch
  Control& timestamp;      // the timestamp of the newest automatic file name
  Control& captured_text;  // the clipboard text of the newest text save
  Control& save_folder;    // where every save goes
  Control& picture;        // the clipboard picture on its way to a file
};

// The saves of the clipboard under a timestamp name, run by the panel's buttons and keys.
class ClipboardSaves {
 public:
  ClipboardSaves(SaveHolders holders, Clipboard& clipboard, RegionalClock& clock,
                 TextFiles& text_files, Files& files, Cues& cues)
      : holders_(holders),
        clipboard_(clipboard),
        clock_(clock),
        text_files_(text_files),
        files_(files),
        cues_(cues) {}

  // The clipboard text, appended to "Text-" + timestamp + ".txt" in the save folder.
  void SaveTextStamped();
  // The clipboard picture, written to "Sc-" + timestamp + ".bmp" in the save folder (replacing
  // a file of that name).
  void SavePictureStamped();

 private:
  SaveHolders holders_;
  Clipboard& clipboard_;
  RegionalClock& clock_;
  TextFiles& text_files_;
  Files& files_;
  Cues& cues_;
};

}  // namespace clipnest
