#include "ansi_sample.h"

#include <windows.h>

namespace clipnest::test_support {

AnsiSample LettersOfTheAnsiPage() {
  AnsiSample sample{"Ab ", "Ab "};
  for (int byte = 0xC0; byte <= 0xFF; ++byte) {
    const char ansi = static_cast<char>(byte);
    wchar_t wide[2];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &ansi, 1, wide, 2) != 1) continue;
    // Only bytes that are a character of their own and come back as the same byte.
    char back[4];
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 1, back, 4, nullptr, &lossy) != 1 ||
        lossy || back[0] != ansi || !IsCharAlphaW(wide[0]))
      continue;
    char utf8[4];
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, 4, nullptr, nullptr);
    sample.ansi += ansi;
    sample.utf8.append(utf8, static_cast<std::size_t>(length));
  }
  return sample;
}

}  // namespace clipnest::test_support
