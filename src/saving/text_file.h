#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace clipnest {

class AnsiCodePage;
class Files;

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The largest ANSI file that a save converts to UTF-8 (512 MiB). Converting holds the file and
// its UTF-8 form in memory together; a larger file is left as it is and the save fails silently
// (kOutOfMemory).
inline constexpr std::size_t kLargestConvertedFile = std::size_t{512} << 20;

// The text files of the saves: each line goes in the encoding its file holds. Text goes in the
// ANSI code page; a file that starts with the UTF-8 byte-order mark gets UTF-8; text that the
// ANSI code page cannot hold without loss starts a new file as UTF-8 behind the mark, and turns
// an existing ANSI file into UTF-8 first.
class TextFiles {
 public:
  TextFiles(Files& files, AnsiCodePage& ansi,
            std::size_t largest_converted_file = kLargestConvertedFile)
      : files_(files), ansi_(ansi), largest_converted_file_(largest_converted_file) {}
  // Appends the text and CR LF to the file (created when missing), opening and closing it here.
  void AppendLine(const std::string& path, std::string_view utf8_text);

 private:
  // Rewrites an ANSI file as UTF-8 with the text and CR LF added, in one replacement of the
  // whole file.
  void ConvertToUtf8AndAppend(const std::string& path, std::string_view utf8_text);

  Files& files_;
  AnsiCodePage& ansi_;
  std::size_t largest_converted_file_;
};

}  // namespace clipnest
