#pragma once

#include "dialogs/named_text/named_text_dialog.h"
#include "dialogs/settings/settings_dialog.h"
#include "feedback/cues.h"
#include "forms/form.h"
#include "panel/form1.h"
#include "panel/module1.h"
#include "platform/platform.h"
#include "saving/clipboard_saves.h"
#include "saving/text_file.h"
#include "settings/settings_file.h"

namespace clipnest {

// The running program: the program-wide state, the settings file, the cues, the saves and the
// windows, each given what it works with.
class Program {
 public:
  explicit Program(Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the panel, runs its load step and shows it (or ends a second copy).
  void Start();

  Module1& module1() { return module1_; }
  SettingsFile& settings() { return settings_; }
  Form1& form1() { return form1_; }
  NamedTextDialog& named_text() { return named_text_; }
  SettingsDialog& settings_dialog() { return settings_dialog_; }

 private:
  Platform& platform_;
  Module1 module1_;
  SettingsFile settings_;
  Cues cues_;
  TextFiles text_files_;
  Form panel_;
  ClipboardSaves saves_;
  NamedTextDialog named_text_;
  SettingsDialog settings_dialog_;
  Form1 form1_;
};

}  // namespace clipnest
