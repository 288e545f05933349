#pragma once

#include <string>

namespace clipnest::test_support {

// Letters beyond ASCII that the system's ANSI code page holds, as its bytes and as UTF-8, for
// checks that must hold whichever page the system uses.
struct AnsiSample {
  std::string ansi;
  std::string utf8;
};
AnsiSample LettersOfTheAnsiPage();

}  // namespace clipnest::test_support
