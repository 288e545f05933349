#pragma once

#include "platform/tools.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace clipnest::linux_backend {

// A program on this system (a full path) and what to pass it.
struct LocalCommand {
  std::string program;
  std::vector<std::string> arguments;
};

// Looks for a command on a thread of its own and starts what it finds, detached; the caller goes
// on at once. Looking may ask the desktop, which can take its time.
void FindAndStart(std::function<std::optional<LocalCommand>()> find);

// The desktop's default application for a type, as the id of its desktop file (xdg-mime's
// answer); empty when there is none or the desktop does not answer soon. It waits for that
// answer: never call it on the UI thread.
std::string DefaultApplication(const char* mime_type);

// A program on PATH, or the program itself when the name is a full path; nothing if there is no
// such executable.
std::optional<std::string> FindProgram(const std::string& name);

// The user's tools: the text editor is the desktop's default application for plain text, else
// the first installed of the common editors; the paint program and the calculator are the first
// installed of the common ones. Nothing starts where none is installed.
class DesktopTools : public Tools {
 public:
  void Launch(Tool tool) override;
};

}  // namespace clipnest::linux_backend
