#include "saving/text_file.h"

#include "platform/ansi_code_page.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace clipnest {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

// The ANSI bytes of a text the code page holds, then the line end: a piece at a time through
// one small buffer, so that the text is never held a second time.
Files::NextPiece AnsiPieces(std::string_view utf8, AnsiCodePage& ansi) {
  constexpr std::size_t kPiece = 64 << 10;
  return [utf8, &ansi, buffer = std::string(), at = std::size_t{0},
          ended = false]() mutable -> std::string_view {
    if (at == utf8.size()) {
      if (ended) return {};
      ended = true;
      return kLineEnd;
    }
    const std::size_t end = CharacterBoundary(utf8, at + kPiece);
    buffer.clear();
    // The whole text was found to fit before the first piece: a piece that does not is a fault
    // of the code page, and fails the save rather than write a wrong byte.
    if (!ansi.AppendEncoded(utf8.substr(at, end - at), buffer)) {
      throw RuntimeError(ErrorNumber::kPathFileAccess);
    }
    at = end;
    return buffer;
  };
}

}  // namespace

void TextFiles::AppendLine(const std::string& path, std::string_view utf8_text) {
  const std::string start = files_.ReadStart(path, kUtf8ByteOrderMark.size());
  if (start.starts_with(kUtf8ByteOrderMark)) {
    files_.AppendPieces(path, PiecesOf({utf8_text, kLineEnd}));
  } else if (ansi_.Holds(utf8_text)) {
    // The verdict for the whole text before its first byte is written.
    files_.AppendPieces(path, AnsiPieces(utf8_text, ansi_));
  } else if (start.empty()) {
    files_.AppendPieces(path, PiecesOf({kUtf8ByteOrderMark, utf8_text, kLineEnd}));
  } else {
    ConvertToUtf8AndAppend(path, utf8_text);
  }
}

void TextFiles::ConvertToUtf8AndAppend(const std::string& path, std::string_view utf8_text) {
  std::string ansi_bytes = files_.ReadWhole(path, largest_converted_file_);
  std::string content = ansi_.Decode(ansi_bytes);
  if (!RoundTrips(content, ansi_bytes, ansi_)) throw RuntimeError(ErrorNumber::kPathFileAccess);
  ansi_bytes = std::string();  // freed before the file is written
  // One replacement: the old file stays exactly as it was until the new one is complete.
  files_.ReplaceWithPieces(path, PiecesOf({kUtf8ByteOrderMark, content, utf8_text, kLineEnd}));
}

}  // namespace clipnest
