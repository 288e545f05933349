#include "dialogs/named_text/form3.h"

#include "dialogs/named_text/form3_layout.h"
#include "feedback/cues.h"
#include "panel/program.h"
#include "panel/window_operations.h"
#include "platform/clipboard.h"
#include "platform/runtime_error.h"
#include "saving/save_steps.h"
#include "saving/text_file.h"

namespace clipnest {
namespace {
constexpr int kEnter = 13;
constexpr int kEscape = 27;
}  // namespace

Form3::Form3(Program& program)
    : program_(program),
      form_(program.platform().windows, "Form3", FormStyle::kFixedToolWindow, kForm3Width,
            kForm3Height) {
  AddControls(form_, Form3Layout());
  form_.SetTabOrder(ControlsNamed(form_, Form3TabOrder()));
  form_.SetCaption(std::string(kForm3Caption));
  form_.set_centred(true);
  form_["Command1"].on_click = [this] { Command1_Click(); };
  form_["Command2"].on_click = [this] { Command2_Click(); };
  form_["Command3"].on_click = [this] { Command3_Click(); };
  form_["Text1"].on_change = [this] { Text1_Change(); };
  form_["Text1"].on_key_press = [this](int key) { Text1_KeyPress(key); };
  for (const char* button : {"Command1", "Command2", "Command3"})
    form_[button].on_key_press = [this](int key) { Command_KeyPress(key); };
}

void Form3::Form_Load() {
  SetTopmost(form_, true);
}

void Form3::SaveNamedText() {
  Form& panel = program_.form1().form();
  Platform& platform = program_.platform();
  ErrorNumber error = RunSaveSteps([&] {
    const std::string path = panel["Text4"].text() + "/" + form_["Text1"].text() + ".txt";
    AppendTextLine(platform.files, platform.ansi, path, panel["Text3"].text());
    program_.cues().Play(cue::kSaveTxt2);
  });
  if (TextSaveErrorIsHeard(error)) program_.cues().Play(cue::kError);
  form_.Hide();
}

void Form3::CancelNamedTextDialog() {
  program_.cues().Play(cue::kCancel);
  form_.Hide();
}

void Form3::Command3_Click() {
  // A clipboard that cannot be read leaves the name as it is.
  try {
    form_["Text1"].SetText(program_.platform().clipboard.Text());
  } catch (const RuntimeError&) {
    return;
  }
  form_["Command1"].Focus();
}

void Form3::Text1_Change() {
  program_.cues().Play(cue::kSaveSettings);
}

void Form3::Text1_KeyPress(int key_ascii) {
  if (key_ascii == kEscape) {
    CancelNamedTextDialog();
  } else if (key_ascii == kEnter) {
    SaveNamedText();
  }
}

void Form3::Command_KeyPress(int key_ascii) {
  if (key_ascii == kEscape) CancelNamedTextDialog();
}

}  // namespace clipnest
