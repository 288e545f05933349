#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest {

// A program on this system and what to pass it.
struct LocalCommand {
  std::string program;  // a full path
  std::vector<std::string> arguments;
};

// The desktop's own counterparts of the Windows command lines the program starts:
// "cmd /X /C start notepad.exe" starts the user's text editor (the desktop's default application
// for plain text, else the first installed of the common ones), mspaint.exe a paint program,
// calc.exe a calculator, and "start Help.chm" the help file, with the desktop's CHM viewer where
// it has one, else as the HTML page beside it. Nothing when the command is of another kind or no
// such program is installed.
std::optional<LocalCommand> LocalCommandFor(std::string_view windows_command_line);

// Where the program named by a command is installed: itself when it holds a slash, else the
// first executable file of that name on PATH. Nothing when there is none.
std::optional<std::string> FindProgram(const std::string& name);

// The command of a desktop entry's Exec line, without its field codes.
std::vector<std::string> ExecCommand(std::string_view exec_line);

}  // namespace clipnest
