#include "feedback/cues.h"
#include "forms/control.h"
#include "platform/clipboard.h"
#include "platform/dib.h"
#include "platform/files.h"
#include "saving/clipboard_saves.h"
#include "saving/save_steps.h"
#include "saving/timestamp.h"

namespace clipnest {

void ClipboardSaves::SavePictureStamped() {
  ErrorNumber error = RunSaveSteps([&] {
    holders_.picture.SetPicture(clipboard_.Image());
    MakeTimestamp(holders_.time_text, holders_.timestamp, clock_);
    const std::string path =
        holders_.save_folder.text() + "/Sc-" + holders_.timestamp.text() + ".bmp";
    // Writing an empty picture is an invalid property value.
    const auto file = BmpFileOf(holders_.picture.picture());
    if (!file) throw RuntimeError(ErrorNumber::kInvalidPropertyValue);
    // The header, then the picture's own bytes: a large picture is not copied for its file.
    files_.ReplaceWithPieces(path, PiecesOf({file->header, file->dib}));
    cues_.Play(cue::kSaveScr);
  });
  if (error == ErrorNumber::kInvalidPropertyValue) cues_.Play(cue::kError);
}

}  // namespace clipnest
