// The single-byte code pages: any ANSI bytes go to UTF-8 and back unchanged, and any bytes that
// encode come back from their ANSI form unchanged, so nothing ill-formed is ever encoded. The
// verdict alone and the conversion appended to a buffer agree with the whole encoding.
#include "platform/ansi/code_pages.h"
#include "check.h"

#include <optional>

using namespace clipnest;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int kPages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
  static std::optional<SingleByteCodePage> pages[std::size(kPages)];
  if (size == 0) return 0;
  auto& page = pages[data[0] % std::size(kPages)];
  if (!page) page = SingleByteCodePage::Make(kPages[data[0] % std::size(kPages)]);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  CHECK(page->Encode(page->Decode(text)) == text);
  const std::optional<std::string> ansi = page->Encode(text);
  if (ansi) CHECK(page->Decode(*ansi) == text);
  std::string appended = "x";
  CHECK(page->Holds(text) == ansi.has_value());
  CHECK(page->AppendEncoded(text, appended) == ansi.has_value() &&
        (!ansi || appended == "x" + *ansi));
  return 0;
}
