#pragma once

#include <string>
#include <string_view>

namespace clipnest {

class AnsiCodePage;
class Files;

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes to append for a text, given the first bytes of the file it goes to. Text goes in
// the ANSI code page; a file that starts with the UTF-8 byte-order mark gets UTF-8; text that the
// ANSI code page cannot hold without loss goes as UTF-8 into a new or empty file, behind the
// mark, and is refused (kTextNotRepresentable) for a file that already holds ANSI text.
std::string TextFileBytes(std::string_view utf8_text, std::string_view file_start,
                          AnsiCodePage& ansi);

// The text files of the saves: each line goes in the encoding its file holds.
class TextFiles {
 public:
  TextFiles(Files& files, AnsiCodePage& ansi) : files_(files), ansi_(ansi) {}
  // Appends the text and CR LF to the file (created when missing), opening and closing it here.
  void AppendLine(const std::string& path, std::string_view utf8_text);

 private:
  Files& files_;
  AnsiCodePage& ansi_;
};

}  // namespace clipnest
