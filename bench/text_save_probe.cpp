// Times the parts of one text save as the Linux program runs them, on the CLIPBOARD of the
// display: the transfer from the owner, the decoding to UTF-8, the check that the code page of the
// locale holds every character (alone), and the save as the program runs it (appended to FILE):
// that check again, then the conversion written piece by piece. Prints milliseconds:
//   transfer T decode D check C save S
#include "platform/linux/posix/locale_code_page.h"
#include "platform/linux/posix/posix_files.h"
#include "platform/linux/x11/selection_text.h"
#include "platform/linux/x11/x11_selection.h"
#include "saving/text_file.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <optional>

using namespace clipnest;
using namespace clipnest::linux_backend;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const char* locale_name = std::setlocale(LC_CTYPE, "");
  LocaleCodePage page(locale_name ? locale_name : "C");
  PosixFiles files;
  X11Selection selection;
  using Clock = std::chrono::steady_clock;
  std::chrono::duration<double, std::milli> parts[4];

  auto started = Clock::now();
  auto lap = [&](int part) {
    const auto now = Clock::now();
    parts[part] = now - started;
    started = now;
  };
  if (!selection.Begin()) return 1;
  const std::vector<std::string> offered = selection.Targets();
  const auto* target = std::find_if(std::begin(kTextTargets), std::end(kTextTargets), [&](auto& t) {
    return std::find(offered.begin(), offered.end(), t.name) != offered.end();
  });
  if (target == std::end(kTextTargets)) return 1;
  std::optional<std::string> bytes = selection.Fetch(target->name);
  if (!bytes) return 1;
  lap(0);
  const std::string text = SelectionTextAsUtf8(std::move(*bytes), target->charset);
  lap(1);
  // As a save into a new or ANSI file does it, for text the code page holds.
  if (!files.ReadStart(argv[1], kUtf8ByteOrderMark.size()).empty()) return 1;
  if (!page.Holds(text)) return 1;
  lap(2);
  TextFiles(files, page).AppendLine(argv[1], text);
  lap(3);
  std::printf("transfer %.1f decode %.1f check %.1f save %.1f\n", parts[0].count(),
              parts[1].count(), parts[2].count(), parts[3].count());
  return 0;
}
