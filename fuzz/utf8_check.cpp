// The clipboard text's UTF-8 check agrees with a plain decoder of the standard's rules, wherever
// the text falls against the blocks that the check reads at once.
#include "check.h"
#include "platform/linux/x11/utf8_validity.h"

#include <string>

namespace {
bool DecodesWell(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80   ? 1
                       : lead < 0xC0 ? 0
                       : lead < 0xE0 ? 2
                       : lead < 0xF0 ? 3
                       : lead < 0xF8 ? 4
                                     : 0;
    if (length == 0 || at + length > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    at += length;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte places the text: after up to 15 bytes of ASCII or of two-byte characters.
  std::string text = data[0] & 0x80 ? std::string(data[0] & 0xF, 'a') : "";
  for (int i = 0; i < (data[0] & 0x80 ? 0 : data[0] & 0x7); ++i) text += "\xD0\x96";
  text.append(reinterpret_cast<const char*>(data) + 1, size - 1);
  CHECK(clipnest::linux_backend::IsWellFormedUtf8(text) == DecodesWell(text));
  return 0;
}
