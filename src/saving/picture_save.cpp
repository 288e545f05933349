#include "saving/picture_save.h"

#include "feedback/cues.h"
#include "panel/program.h"
#include "platform/clipboard.h"
#include "platform/dib.h"
#include "platform/files.h"
#include "saving/save_steps.h"
#include "saving/timestamp.h"

namespace clipnest {

void SavePictureStamped(Program& program) {
  Form& panel = program.form1().form();
  Platform& platform = program.platform();
  ErrorNumber error = RunSaveSteps([&] {
    Control& image10 = panel["Image10"];
    image10.SetPicture(platform.clipboard.Image());
    MakeTimestamp(panel, platform.clock);
    const std::string path = panel["Text4"].text() + "/Sc-" + panel["Text2"].text() + ".bmp";
    // Writing an empty picture is an invalid property value.
    auto file = BmpFile(image10.picture());
    if (!file) throw RuntimeError(ErrorNumber::kInvalidPropertyValue);
    platform.files.Replace(path, *file);
    program.cues().Play(cue::kSaveScr);
  });
  if (error == ErrorNumber::kInvalidPropertyValue) program.cues().Play(cue::kError);
}

}  // namespace clipnest
