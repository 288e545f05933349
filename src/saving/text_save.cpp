#include "saving/text_save.h"

#include "feedback/cues.h"
#include "panel/program.h"
#include "platform/clipboard.h"
#include "saving/save_steps.h"
#include "saving/text_file.h"
#include "saving/timestamp.h"

namespace clipnest {

void SaveTextStamped(Program& program) {
  Form& panel = program.form1().form();
  Platform& platform = program.platform();
  ErrorNumber error = RunSaveSteps([&] {
    panel["Text3"].SetText(platform.clipboard.Text());
    MakeTimestamp(panel, platform.clock);
    const std::string path = panel["Text4"].text() + "/Text-" + panel["Text2"].text() + ".txt";
    AppendTextLine(platform.files, platform.ansi, path, panel["Text3"].text());
    program.cues().Play(cue::kSaveTxt1);
  });
  if (TextSaveErrorIsHeard(error)) program.cues().Play(cue::kError);
}

}  // namespace clipnest
