#pragma once

// The recorded table of the profile functions: each row is one call of GetPrivateProfileStringA
// (section, key, default "no", a 255-byte buffer) or WritePrivateProfileStringA on a settings
// file, with what the call gave. In the text form every byte is visible: a text stands between
// double quotes, printable ASCII stands for itself and every other byte is escaped (\r \n \t \0
// \" \\ and \xHH); a file that does not exist is the word none.
//
//   read <id>                     write <id>
//     section "Setup"               section "Setup"
//     key     "Top"                 key     "Left"
//     file    "[Setup]\rTop=2\r"    value   "9"
//     result  "2"                   file    none
//                                   result  "[Setup]\r\nLeft=9\r\n"
//
// A read's result is the text read; a write's result is the whole file after the write.
// Lines starting with "#" are comments.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipnest::profile_table {

struct Row {
  bool write = false;
  std::string id;
  std::string section;
  std::string key;
  std::string value;                  // writes only
  std::optional<std::string> file;    // the file before the call
  std::optional<std::string> result;  // the text read, or the file after a write
  std::string why;                    // free text, for notes on a row
};

// The rows of a table; throws std::runtime_error naming the line of a malformed one.
std::vector<Row> Parse(std::string_view text);

}  // namespace clipnest::profile_table
