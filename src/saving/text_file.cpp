#include "saving/text_file.h"

#include "platform/ansi_code_page.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace clipnest {

std::string TextFileBytes(std::string_view utf8_text, std::string_view file_start,
                          AnsiCodePage& ansi) {
  if (file_start.starts_with(kUtf8ByteOrderMark)) return std::string(utf8_text);
  if (auto ansi_text = ansi.Encode(utf8_text)) return *std::move(ansi_text);
  if (!file_start.empty()) throw RuntimeError(ErrorNumber::kTextNotRepresentable);
  return std::string(kUtf8ByteOrderMark) + std::string(utf8_text);
}

void TextFiles::AppendLine(const std::string& path, std::string_view utf8_text) {
  std::string bytes =
      TextFileBytes(utf8_text, files_.ReadStart(path, kUtf8ByteOrderMark.size()), ansi_);
  bytes += "\r\n";
  files_.Append(path, bytes);
}

}  // namespace clipnest
