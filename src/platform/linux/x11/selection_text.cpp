#include "platform/linux/x11/selection_text.h"

#include "platform/linux/x11/utf8_validity.h"

#include <QByteArray>
#include <QString>

namespace clipnest::linux_backend {

std::string SelectionTextAsUtf8(std::string bytes, TextCharset charset) {
  // Like the text format of other systems' clipboards, the text ends at its first NUL.
  if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  // Valid UTF-8 is already the program's form: no conversion of a large text.
  if (charset != TextCharset::kLatin1 && IsWellFormedUtf8(bytes)) return bytes;
  const QByteArray raw = QByteArray::fromStdString(bytes);
  // Latin-1 text, or plain text that is not valid UTF-8 and so comes from an older program.
  if (charset != TextCharset::kUtf8) return QString::fromLatin1(raw).toUtf8().toStdString();
  // Broken UTF-8 that claims to be UTF-8: its bad bytes become replacement characters.
  return QString::fromUtf8(raw).toUtf8().toStdString();
}

}  // namespace clipnest::linux_backend
