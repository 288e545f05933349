#include "saving/text_file.h"

#include "platform/ansi_code_page.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace clipnest {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Where to cut the UTF-8 text at `at` or just before it, so that no character is split.
std::size_t CharacterBoundary(std::string_view utf8, std::size_t at) {
  if (at >= utf8.size()) return utf8.size();
  std::size_t cut = at;
  while (cut > 0 && at - cut < 4 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

// Whether the decoded text gives back exactly the ANSI bytes it came from. Bytes that the code
// page does not define (in a multi-byte code page) would come back changed: such a file is not
// converted. Checked piece by piece so that a large file needs no third copy.
bool RoundTrips(std::string_view utf8, std::string_view ansi_bytes, AnsiCodePage& ansi) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  std::size_t checked = 0;
  for (std::size_t begin = 0; begin < utf8.size();) {
    const std::size_t end = CharacterBoundary(utf8, begin + kPiece);
    const auto piece = ansi.Encode(utf8.substr(begin, end - begin));
    if (!piece || ansi_bytes.substr(checked, piece->size()) != *piece) return false;
    checked += piece->size();
    begin = end;
  }
  return checked == ansi_bytes.size();
}

}  // namespace

void TextFiles::AppendLine(const std::string& path, std::string_view utf8_text) {
  const std::string start = files_.ReadStart(path, kUtf8ByteOrderMark.size());
  std::string line;
  if (start.starts_with(kUtf8ByteOrderMark)) {
    line = utf8_text;
  } else if (auto ansi_text = ansi_.Encode(utf8_text)) {
    line = *std::move(ansi_text);
  } else if (start.empty()) {
    line = std::string(kUtf8ByteOrderMark) + std::string(utf8_text);
  } else {
    ConvertToUtf8AndAppend(path, std::string(utf8_text) + std::string(kLineEnd));
    return;
  }
  line += kLineEnd;
  files_.Append(path, line);
}

void TextFiles::ConvertToUtf8AndAppend(const std::string& path, std::string_view utf8_line) {
  std::string ansi_bytes = files_.ReadWhole(path, largest_converted_file_);
  std::string content = ansi_.Decode(ansi_bytes);
  if (!RoundTrips(content, ansi_bytes, ansi_)) throw RuntimeError(ErrorNumber::kPathFileAccess);
  ansi_bytes = std::string();  // freed before the content grows
  // In place: a decoded text usually has room to spare, so no second copy of a large file.
  content.insert(0, kUtf8ByteOrderMark);
  content += utf8_line;
  // One replacement: the old file stays exactly as it was until the new one is complete.
  files_.Replace(path, content);
}

}  // namespace clipnest
