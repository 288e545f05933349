#include "dialogs/named_text/form3.h"

#include "dialogs/named_text/form3_layout.h"
#include "feedback/cues.h"
#include "forms/window_operations.h"
#include "platform/clipboard.h"
#include "platform/runtime_error.h"
#include "saving/save_steps.h"
#include "saving/text_file.h"

namespace clipnest {
namespace {
constexpr int kEnter = 13;
constexpr int kEscape = 27;
}  // namespace

Form3::Form3(const NamedTextInputs& inputs)
    : inputs_(inputs),
      form_(inputs.windows, Form3Design()),
      name_box_(form_["Text1"]),
      save_button_(form_["Command1"]) {
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
  ErrorNumber error = RunSaveSteps([&] {
    const std::string path = inputs_.save_folder.text() + "/" + name_box_.text() + ".txt";
    inputs_.text_files.AppendLine(path, inputs_.captured_text.text());
    inputs_.cues.Play(cue::kSaveTxt2);
  });
  if (TextSaveErrorIsHeard(error)) inputs_.cues.Play(cue::kError);
  form_.Hide();
}

void Form3::CancelNamedTextDialog() {
  inputs_.cues.Play(cue::kCancel);
  form_.Hide();
}

void Form3::Command3_Click() {
  // A clipboard that cannot be read leaves the name as it is.
  try {
    name_box_.SetText(inputs_.clipboard.Text());
  } catch (const RuntimeError&) {
    return;
  }
  save_button_.Focus();
}

void Form3::Text1_Change() {
  inputs_.cues.Play(cue::kSaveSettings);
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
