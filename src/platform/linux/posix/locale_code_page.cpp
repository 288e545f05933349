#include "platform/linux/posix/locale_code_page.h"

#include "platform/linux/x11/large_buffer.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <vector>

namespace clipnest::linux_backend {
namespace {

constexpr int kWesternEuropean = 1252;

// The converter names of the multi-byte Windows code pages, the exact Microsoft variant first.
std::vector<const char*> ConverterNames(int code_page) {
  switch (code_page) {
    case 932:
      return {"windows-31j", "Shift_JIS"};
    case 936:
      return {"windows-936", "GBK"};
    case 949:
      return {"windows-949", "EUC-KR"};
    case 950:
      return {"windows-950", "Big5"};
    default:
      return {};
  }
}

}  // namespace

LocaleCodePage::LocaleCodePage(std::string_view locale_name) {
  const int code_page = AnsiCodePageForLocale(locale_name);
  single_byte_ = SingleByteCodePage::Make(code_page);
  if (single_byte_) return;
  for (const char* name : ConverterNames(code_page)) {
    if (QStringEncoder(name).isValid()) {
      converter_name_ = name;
      return;
    }
  }
  single_byte_ = SingleByteCodePage::Make(kWesternEuropean);
}

std::optional<std::string> LocaleCodePage::Encode(std::string_view utf8) {
  if (single_byte_) {
    // Room for every byte and for the line end that a saved line gets, fit for a large text.
    std::string out;
    ReserveLarge(out, utf8.size() + 2);
    if (!single_byte_->AppendEncoded(utf8, out)) return std::nullopt;
    return out;
  }
  QStringEncoder encoder(converter_name_.constData());
  const QByteArray bytes =
      encoder.encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  // An unmappable character has no ANSI form: the text cannot be written without loss.
  if (encoder.hasError()) return std::nullopt;
  return bytes.toStdString();
}

bool LocaleCodePage::Holds(std::string_view utf8) {
  if (single_byte_) return single_byte_->Holds(utf8);
  return EncodePieces(utf8, [](const QByteArray&) {});
}

bool LocaleCodePage::AppendEncoded(std::string_view utf8, std::string& out) {
  if (single_byte_) return single_byte_->AppendEncoded(utf8, out);
  return EncodePieces(
      utf8, [&out](const QByteArray& bytes) { out.append(bytes.constData(), bytes.size()); });
}

template <typename Take>
bool LocaleCodePage::EncodePieces(std::string_view utf8, Take take) {
  // Both converters keep what a piece cut short of a character, so the pieces may end anywhere;
  // each holds at most a piece of the text in its own form.
  constexpr std::size_t kPiece = 64 << 10;
  QStringDecoder decoder(QStringDecoder::Utf8);
  QStringEncoder encoder(converter_name_.constData());
  for (std::size_t at = 0; at < utf8.size(); at += kPiece) {
    const std::string_view piece = utf8.substr(at, kPiece);
    const QString text =
        decoder.decode(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size())));
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || decoder.hasError()) return false;
    take(bytes);
  }
  return true;
}

std::string LocaleCodePage::Decode(std::string_view ansi) {
  if (single_byte_) return single_byte_->Decode(ansi);
  QStringDecoder decoder(converter_name_.constData());
  const QString text =
      decoder.decode(QByteArrayView(ansi.data(), static_cast<qsizetype>(ansi.size())));
  return text.toUtf8().toStdString();
}

}  // namespace clipnest::linux_backend
