#include "panel/program.h"

#include "platform/process_control.h"

namespace clipnest {

Program::Program(Platform& platform)
    : platform_(platform),
      module1_(platform.clock),
      settings_(platform.profile, platform.messages, platform.process.ExecutableFolder()),
      cues_(platform.sound, module1_),
      form1_(*this),
      named_text_(*this) {}

void Program::Start() {
  form1_.form().Create();
  form1_.Form_Load();
  form1_.form().Show();
}

}  // namespace clipnest
