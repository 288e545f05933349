#include "app/program.h"

#include "panel/panel_layout.h"
#include "platform/process_control.h"
#include "platform/system_screenshot.h"

namespace clipnest {

Program::Program(Platform& platform)
    : platform_(platform),
      module1_(platform.clock),
      settings_(platform.profile, platform.messages, platform.process.ExecutableFolder()),
      cues_(platform.sound, module1_.SoundsFlag, platform.clock),
      text_files_(platform.files, platform.ansi),
      panel_(platform.windows, PanelDesign()),
      saves_({.time_text = panel_["Text1"],
              .timestamp = panel_["Text2"],
              .captured_text = panel_["Text3"],
              .save_folder = panel_["Text4"],
              .picture = panel_["Image10"]},
             platform.clipboard, platform.clock, text_files_, platform.files, cues_),
      named_text_({.windows = platform.windows,
                   .captured_text = panel_["Text3"],
                   .save_folder = panel_["Text4"],
                   .clipboard = platform.clipboard,
                   .text_files = text_files_,
                   .cues = cues_}),
      settings_dialog_(
          {.windows = platform.windows,
           .settings = settings_,
           .cues = cues_,
           .regional = platform.clock,
           .colours = platform.colours,
           .shell = platform.shell,
           .options = {.SoundsFlag = module1_.SoundsFlag,
                       .HotPrintScreenFlag = module1_.HotPrintScreenFlag,
                       .TransparentFlag = module1_.TransparentFlag,
                       .TransparentValueText = module1_.TransparentValueText,
                       .TransparentValue = module1_.TransparentValue},
           .panel = panel_,
           .panel_border = panel_["Shape1"],
           .save_folder = panel_["Text4"],
           .SetTransparent1 = [this](std::uint8_t opacity) { form1_.SetTransparent1(opacity); }}),
      form1_(panel_, {.module1 = module1_,
                      .settings = settings_,
                      .cues = cues_,
                      .process = platform.process,
                      .tools = platform.tools,
                      .keys = platform.keys,
                      .screenshot = platform.screenshot,
                      .saves = saves_,
                      .named_text = named_text_,
                      .settings_dialog = settings_dialog_}) {}

void Program::Start() {
  panel_.Create();
  form1_.Form_Load();
  platform_.screenshot.TakeAtPrintScreen(
      [this] { return module1_.IsOn(module1_.HotPrintScreenFlag); });
  panel_.Show();
}

}  // namespace clipnest
