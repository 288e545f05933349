// Records what the system's profile functions make of tricky settings files, as the table that
// the profile strings contract (tests/contract/profile_strings_contract.h) holds every
// implementation to.
//
// Regenerate the table with one command, from the repository's root:
//     scripts/record-profile-table
// which builds this program (windows preset) and runs it under Wine with Russian regional
// settings, writing tests/data/profile_strings.txt. The program itself prints the table on
// standard output: `record_profile_table.exe > table.txt`. It needs the ANSI code page 1251.
#include "profile_table/profile_table.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace clipnest::profile_table {
namespace {

using namespace std::string_literals;

// The bytes written as a backslash and a letter in the table's text form, and their letters.
constexpr std::string_view kHex = "0123456789ABCDEF";
constexpr std::string_view kEscaped{"\r\n\t\0\"\\", 6};
constexpr std::string_view kEscapeLetters = "rnt0\"\\";

std::string Quoted(const std::optional<std::string>& bytes) {
  if (!bytes) return "none";
  std::string out = "\"";
  for (char c : *bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (const std::size_t escape = kEscaped.find(c); escape != std::string_view::npos) {
      out.append(1, '\\').append(1, kEscapeLetters[escape]);
    } else if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
    }
  }
  return out + "\"";
}

// One row in the table's text form (see profile_table.h).
std::string Format(const Row& row) {
  std::string out = (row.write ? "write " : "read ") + row.id + "\n";
  if (!row.why.empty()) out += "  why     " + row.why + "\n";
  out += "  section " + Quoted(row.section) + "\n";
  out += "  key     " + Quoted(row.key) + "\n";
  if (row.write) out += "  value   " + Quoted(row.value) + "\n";
  out += "  file    " + Quoted(row.file) + "\n";
  return out + "  result  " + Quoted(row.result) + "\n";
}

using File = std::optional<std::string>;

Row Read(std::string id, File file, std::string key, std::string section = "Setup") {
  return {.id = std::move(id),
          .section = std::move(section),
          .key = std::move(key),
          .file = std::move(file)};
}

Row Write(std::string id, File file, std::string key, std::string value,
          std::string section = "Setup") {
  return {.write = true,
          .id = std::move(id),
          .section = std::move(section),
          .key = std::move(key),
          .value = std::move(value),
          .file = std::move(file)};
}

// A value of `length` digits 0123456789012..., so that any cut shows where it fell.
std::string Digits(std::size_t length) {
  std::string digits;
  for (std::size_t i = 0; i < length; ++i) digits += static_cast<char>('0' + i % 10);
  return digits;
}

// Names and values in Windows-1251: "Настройки", "НАСТРОЙКИ", "Путь", "ПУТЬ", "Папка", "ёлка",
// "ЁЛКА" and "Д:\Папка".
const std::string kSettingsLower = "\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8";
const std::string kSettingsUpper = "\xCD\xC0\xD1\xD2\xD0\xCE\xC9\xCA\xC8";
const std::string kPath = "\xCF\xF3\xF2\xFC", kPathUpper = "\xCF\xD3\xD2\xDC";
const std::string kFolder = "\xCF\xE0\xEF\xEA\xE0";
const std::string kFirLower = "\xB8\xEB\xEA\xE0", kFirUpper = "\xA8\xCB\xCA\xC0";

std::vector<Row> Cases() {
  const std::string quotes = "[Setup]\r\nTop=";
  const std::string cyrillic = "[" + kSettingsLower + "]\r\n" + kPath + "=" + kFolder + "\r\n";
  return {
      // Line ends.
      Read("line-ends-crlf", "[Setup]\r\nLeft=1\r\nTop=2\r\n", "Top"),
      Read("line-ends-lf", "[Setup]\nLeft=1\nTop=2\n", "Top"),
      Read("line-ends-cr", "[Setup]\rLeft=1\rTop=2\r", "Top"),
      Read("line-ends-mixed", "[Other]\rTop=0\n[Setup]\r\nLeft=1\rTop=2\n", "Top"),
      Read("line-ends-cr-cr-lf", "[Setup]\r\r\nTop=2\r\r\n", "Top"),
      Read("line-ends-lf-cr", "[Setup]\n\rTop=2\n\r", "Top"),
      Read("line-ends-none-at-end", "[Setup]\r\nTop=2", "Top"),
      Read("line-ends-blank-lines", "\r\n\r\n[Setup]\r\n\r\n\n\rTop=2\r\n\r\n", "Top"),
      // A UTF-8 byte-order mark.
      Read("bom-before-header", "\xEF\xBB\xBF[Setup]\r\nTop=2\r\n", "Top"),
      Read("bom-then-blank-line", "\xEF\xBB\xBF\r\n[Setup]\r\nTop=2\r\n", "Top"),
      Read("bom-utf8-value", "\xEF\xBB\xBF\r\n[Setup]\r\nSavePath=\xD0\x94:\\\xD0\x9F\r\n",
           "SavePath"),
      Read("utf8-value-without-bom", "[Setup]\r\nSavePath=\xD0\x94:\\\xD0\x9F\r\n", "SavePath"),
      // NUL bytes.
      Read("nul-in-value", "[Setup]\r\nTop=12\0 34\r\n"s, "Top"),
      Read("nul-after-blank-in-value", "[Setup]\r\nTop=ab \0cd\r\n"s, "Top"),
      Read("nul-after-closing-quote", "[Setup]\r\nTop=\"ab\"\0cd\"\r\n"s, "Top"),
      Read("nul-in-key-name", "[Setup]\r\nTo\0p=5\r\nTop=6\r\n"s, "Top"),
      Read("nul-before-first-section", "x\0y\r\n[Setup]\r\nTop=2\r\n"s, "Top"),
      // Key lines.
      Read("key-without-equals", "[Setup]\r\nTop\r\n", "Top"),
      Read("key-without-equals-then-value", "[Setup]\r\nTop\r\nTop=5\r\n", "Top"),
      Read("key-empty-value", "[Setup]\r\nTop=\r\n", "Top"),
      Read("key-blank-value", "[Setup]\r\nTop=   \r\n", "Top"),
      Read("key-before-any-section", "Top=1\r\n[Setup]\r\nLeft=1\r\n", "Top"),
      // Section headers.
      Read("header-blanks-inside", "[  Setup\t]\r\nTop=2\r\n", "Top"),
      Read("header-blanks-around", "  [Setup]  \r\nTop=2\r\n", "Top"),
      Read("header-text-after", "[Setup] panel settings\r\nTop=2\r\n", "Top"),
      Read("header-text-after-with-bracket", "[Setup] a]b\r\nTop=2\r\n", "Top"),
      Read("header-doubled", "[[Setup]]\r\nTop=2\r\n", "Top"),
      Read("header-doubled-asked-with-brackets", "[[Setup]]\r\nTop=2\r\n", "Top", "[Setup]"),
      Read("header-without-closing", "[Setup\r\nTop=2\r\n", "Top"),
      Read("header-without-opening", "Setup]\r\nTop=2\r\n", "Top"),
      Read("header-without-closing-inside-section", "[Setup]\r\nLeft=1\r\n[Other\r\nTop=2\r\n",
           "Top"),
      Read("header-empty", "[]\r\nTop=2\r\n[Setup]\r\nTop=3\r\n", "Top"),
      // Duplicates.
      Read("duplicate-section-first-wins",
           "[Setup]\r\nLeft=1\r\n[Other]\r\nx=1\r\n[SETUP]\r\nLeft=3\r\nTop=4\r\n", "Left"),
      Read("duplicate-section-second-unread",
           "[Setup]\r\nLeft=1\r\n[Other]\r\nx=1\r\n[SETUP]\r\nLeft=3\r\nTop=4\r\n", "Top"),
      Read("duplicate-key-first-wins", "[Setup]\r\nTop=1\r\ntop=2\r\nTOP=3\r\n", "Top"),
      // Comments.
      Read("comment-semicolon", "[Setup]\r\n;Top=5\r\n", "Top"),
      Read("comment-hash", "[Setup]\r\n#Top=5\r\n", "Top"),
      Read("comment-indented", "[Setup]\r\n  ; Top=5\r\n", "Top"),
      Read("comment-asked-by-its-name", "[Setup]\r\n;Top=5\r\n", ";Top"),
      Read("comment-after-value", "[Setup]\r\nTop=5 ; five\r\n", "Top"),
      Read("comment-before-header", "[Other]\r\n;[Setup]\r\nTop=1\r\n", "Top"),
      // Long values, read into 255 bytes.
      Read("length-254", "[Setup]\r\nTop=" + Digits(254) + "\r\n", "Top"),
      Read("length-255", "[Setup]\r\nTop=" + Digits(255) + "\r\n", "Top"),
      Read("length-300", "[Setup]\r\nTop=" + Digits(300) + "\r\n", "Top"),
      Read("length-253-quoted", quotes + "\"" + Digits(253) + "\"\r\n", "Top"),
      Read("length-254-quoted", quotes + "\"" + Digits(254) + "\"\r\n", "Top"),
      Read("length-255-quoted", quotes + "'" + Digits(255) + "'\r\n", "Top"),
      // Names.
      Read("name-blank-key", "[Setup]\r\n=blank\r\nTop=1\r\n", ""),
      Read("name-blank-section", "Top=before\r\n[]\r\nTop=inside\r\n", "Top", ""),
      Read("name-asked-with-blanks", "[Setup]\r\nTop=2\r\n", " Top\t", " Setup "),
      Read("name-with-inner-blank", "[Setup]\r\nSave Path=2\r\n", "Save Path"),
      Read("name-ascii-case", "[sEtUp]\r\nsavepath=1\r\n", "SavePath"),
      Read("name-cyrillic", cyrillic, kPath, kSettingsLower),
      Read("name-cyrillic-other-case", cyrillic, kPathUpper, kSettingsUpper),
      Read("name-cyrillic-yo-other-case", "[Setup]\r\n" + kFirLower + "=1\r\n", kFirUpper),
      // Quotes.
      Read("quotes-double", quotes + "\"D:\\Clips\"\r\n", "Top"),
      Read("quotes-single", quotes + "'D:\\Clips'\r\n", "Top"),
      Read("quotes-not-matching", quotes + "\"D:\\Clips'\r\n", "Top"),
      Read("quotes-opening-only", quotes + "\"D:\\Clips\r\n", "Top"),
      Read("quotes-lone", quotes + "\"\r\n", "Top"),
      Read("quotes-empty-pair", quotes + "''\r\n", "Top"),
      Read("quotes-blanks-inside", quotes + "\"  x  \"\r\n", "Top"),
      Read("quotes-blanks-outside", quotes + "  \"x\"  \r\n", "Top"),
      Read("quotes-quote-inside", quotes + "\"a\"b\"\r\n", "Top"),
      Read("quotes-apostrophe-inside", quotes + "\"it's\"\r\n", "Top"),
      // Blanks.
      Read("blanks-tabs", "[Setup]\r\n\tTop\t=\t5\t\r\n", "Top"),
      Read("blanks-ctrl-z-at-end", "[Setup]\r\nTop=5\x1A", "Top"),
      Read("blanks-vertical-tab-form-feed", "[Setup]\r\nTop=5\v\f\r\n", "Top"),
      Read("blanks-no-break-space-kept", "[Setup]\r\nTop=5\xA0\r\n", "Top"),
      // Nothing to find.
      Read("missing-file", std::nullopt, "Top"),
      Read("empty-file", "", "Top"),
      Read("missing-section", "[Other]\r\nTop=1\r\n", "Top"),
      // Writes.
      Write("write-missing-file", std::nullopt, "Left", "4500"),
      Write("write-empty-file", "", "Left", "4500"),
      Write("write-missing-section", "[Other]\r\nx=1\r\n", "Left", "4500"),
      Write("write-missing-section-no-final-break", "[Other]\r\nx=1", "Left", "4500"),
      Write("write-header-without-final-break", "[Setup]", "Left", "4500"),
      Write("write-new-key-ends-its-section", "[Setup]\r\nLeft=1\r\n[Other]\r\nx=1\r\n", "Top",
            "2"),
      Write("write-replace-crlf", "[Setup]\r\nLeft=1\r\nTop=2\r\n", "Left", "9"),
      Write("write-replace-cr-only", "[Setup]\rLeft=1\rTop=2\r", "Left", "9"),
      Write("write-replace-lf-only", "[Setup]\nLeft=1\nTop=2\n", "Left", "9"),
      Write("write-replace-no-final-break", "[Setup]\r\nTop=2\r\nLeft=1", "Left", "9"),
      Write("write-blanks-both-ends", "[Setup]\r\nLeft=1\r\n", "Left", "  9  "),
      Write("write-key-other-case", "[Setup]\r\nLeft=1\r\n", "LEFT", "9"),
      Write("write-section-other-case", "[setup]\r\nLeft=1\r\n", "Top", "2"),
      Write("write-same-value-leaves-file", "[Setup]\r\n  Left = 9  \r\n", "Left", "9"),
      Write("write-key-without-equals", "[Setup]\r\nLeft\r\n", "Left", "9"),
      Write("write-duplicate-section", "[Setup]\r\nLeft=1\r\n[Setup]\r\nTop=2\r\n", "Top", "5"),
      Write("write-header-without-closing", "[Setup\r\nLeft=1\r\n", "Left", "9"),
      Write("write-blank-lines-and-comments",
            "; settings\r\n\r\n[Setup]\r\n\r\nLeft=1\r\n\r\n[Other]\r\nx=1\r\n", "Left", "9"),
      Write("write-nul-before-first-section", "Data \0 before \0 first \0 section"s, "Left", "1"),
      Write("write-bom", "\xEF\xBB\xBF[Setup]\r\nLeft=1\r\n", "Left", "2"),
      Write("write-cyrillic-value", std::nullopt, "SavePath", "\xC4:\\" + kFolder),
      Write("write-nul-in-value", "[Setup]\r\n", "Left", "12\0 34"s),
      Write("write-line-break-in-value", "[Setup]\r\nLeft=1\r\n", "SavePath", "D:\\A\r\nTop=1"),
  };
}

// A fresh folder of this process under the user's temporary folder.
std::string WorkFolder() {
  char temp[MAX_PATH + 1];
  const DWORD length = GetTempPathA(MAX_PATH + 1, temp);
  const std::string folder = std::string(temp, length) + "clipnest-profile-record-" +
                             std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::optional<std::string> ReadWhole(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD count = 0;
  while (ReadFile(file, chunk, sizeof chunk, &count, nullptr) && count > 0)
    bytes.append(chunk, count);
  CloseHandle(file);
  return bytes;
}

// Makes the call of the row on a file of its own (a fresh name, so no cached copy of an earlier
// file can answer) and fills in its result.
bool Record(Row& row, const std::string& path) {
  if (row.file && !WriteWhole(path, *row.file)) return false;
  if (row.write) {
    WritePrivateProfileStringA(row.section.c_str(), row.key.c_str(), row.value.c_str(),
                               path.c_str());
    row.result = ReadWhole(path);
  } else {
    char buffer[255];
    FillMemory(buffer, sizeof buffer, '*');
    const DWORD count = GetPrivateProfileStringA(row.section.c_str(), row.key.c_str(), "no", buffer,
                                                 sizeof buffer, path.c_str());
    if (count >= sizeof buffer || buffer[count] != '\0') return false;
    row.result = std::string(buffer, count);
  }
  return true;
}

}  // namespace
}  // namespace clipnest::profile_table

int main() {
  using namespace clipnest::profile_table;
  if (GetACP() != 1251) {
    std::fprintf(stderr, "The ANSI code page is %u; run with LANG=ru_RU.UTF-8 (1251).\n", GetACP());
    return 1;
  }
  const std::string folder = WorkFolder();
  std::string table =
      "# What GetPrivateProfileStringA (default \"no\", 255-byte buffer) and\n"
      "# WritePrivateProfileStringA do, recorded under Wine with the ANSI code page 1251 by\n"
      "# tools/profile_recorder/record_profile_table.cpp. Do not edit: regenerate it with\n"
      "#     scripts/record-profile-table\n";
  int number = 0;
  for (Row& row : Cases()) {
    const std::string path = folder + "case-" + std::to_string(++number) + ".ini";
    if (!Record(row, path)) {
      std::fprintf(stderr, "Could not record %s\n", row.id.c_str());
      return 1;
    }
    DeleteFileA(path.c_str());
    table.append("\n").append(Format(row));
  }
  RemoveDirectoryA(folder.c_str());
  _setmode(_fileno(stdout), _O_BINARY);  // the table's line ends are LF, byte for byte
  std::fwrite(table.data(), 1, table.size(), stdout);
  return 0;
}
