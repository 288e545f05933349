#include "feedback/cues.h"
#include "forms/control.h"
#include "platform/clipboard.h"
#include "saving/clipboard_saves.h"
#include "saving/save_steps.h"
#include "saving/text_file.h"
#include "saving/timestamp.h"

namespace clipnest {

void ClipboardSaves::SaveTextStamped() {
  ErrorNumber error = RunSaveSteps([&] {
    holders_.captured_text.SetText(clipboard_.Text());
    MakeTimestamp(holders_.time_text, holders_.timestamp, clock_);
    const std::string path =
        holders_.save_folder.text() + "/Text-" + holders_.timestamp.text() + ".txt";
    text_files_.AppendLine(path, holders_.captured_text.text());
    cues_.Play(cue::kSaveTxt1);
  });
  if (TextSaveErrorIsHeard(error)) cues_.Play(cue::kError);
}

}  // namespace clipnest
