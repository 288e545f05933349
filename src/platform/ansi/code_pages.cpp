#include "platform/ansi/code_pages.h"

#include "platform/ansi/code_page_tables.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace clipnest {
namespace {

// Decodes one UTF-8 sequence at `pos`; a byte that starts no well-formed one stands for itself
// as U+FFFD, which no page holds.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  int length = lead < 0x80           ? 1
               : (lead >> 5) == 0x6  ? 2
               : (lead >> 4) == 0xE  ? 3
               : (lead >> 3) == 0x1E ? 4
                                     : 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    code = (code << 6) | (byte(pos + i) & 0x3F);
  }
  // Overlong forms and surrogates are ill-formed too: E0 90 90 is not the U+0410 of D0 90.
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += length;
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

struct LanguagePage {
  std::string_view language;
  int code_page;
};

// Languages by their ISO 639 code, with the ANSI code page Windows gives them.
constexpr LanguagePage kLanguagePages[] = {
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"sr", 1251},
    {"kk", 1251}, {"ky", 1251}, {"tt", 1251}, {"mn", 1251}, {"ba", 1251}, {"pl", 1250},
    {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"ro", 1250}, {"hr", 1250}, {"sl", 1250},
    {"sq", 1250}, {"bs", 1250}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"uz", 1254},
    {"he", 1255}, {"yi", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"et", 1257},
    {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},  {"ko", 949},
};

}  // namespace

int AnsiCodePageForLocale(std::string_view locale_name) {
  std::string_view language = locale_name.substr(0, locale_name.find_first_of("_.@"));
  if (language == "zh") {
    bool traditional = locale_name.find("TW") != std::string_view::npos ||
                       locale_name.find("HK") != std::string_view::npos ||
                       locale_name.find("MO") != std::string_view::npos;
    return traditional ? 950 : 936;
  }
  if (language == "sr" && locale_name.find("latin") != std::string_view::npos) return 1250;
  for (const LanguagePage& entry : kLanguagePages) {
    if (entry.language == language) return entry.code_page;
  }
  return 1252;
}

SingleByteCodePage::SingleByteCodePage(int number, const std::uint16_t* high_half)
    : number_(number), high_half_(high_half) {
  auto byte_of = std::make_shared<std::vector<std::uint8_t>>(0x10000, 0);
  for (int i = 0; i < 128; ++i) (*byte_of)[high_half[i]] = static_cast<std::uint8_t>(0x80 + i);
  byte_of_ = std::move(byte_of);
}

std::optional<SingleByteCodePage> SingleByteCodePage::Make(int code_page) {
  const std::uint16_t* table = CodePageHighHalf(code_page);
  if (table == nullptr) return std::nullopt;
  return SingleByteCodePage(code_page, table);
}

std::optional<std::string> SingleByteCodePage::Encode(std::string_view utf8) {
  std::string out;
  // Room for every byte and for the line end that a saved line gets.
  out.reserve(utf8.size() + 2);
  if (!AppendEncoded(utf8, out)) return std::nullopt;
  return out;
}

bool SingleByteCodePage::Holds(std::string_view utf8) {
  return EncodeBlocks(utf8, [](const char*, std::size_t) {});
}

bool SingleByteCodePage::AppendEncoded(std::string_view utf8, std::string& out) {
  return EncodeBlocks(utf8,
                      [&out](const char* bytes, std::size_t size) { out.append(bytes, size); });
}

template <typename Take>
bool SingleByteCodePage::EncodeBlocks(std::string_view utf8, Take take) const {
  // Through a small buffer, so that a large `out` is never filled with zeros first. Every
  // character gives one byte from at least one byte of input, so a block of input as long as the
  // buffer fits in it, and the loop over the characters checks nothing else.
  char buffer[4096];
  const std::vector<std::uint8_t>& byte_of = *byte_of_;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t stop = std::min(utf8.size(), pos + sizeof buffer);
    std::size_t used = 0;
    while (pos < stop) {
      const auto lead = static_cast<unsigned char>(utf8[pos]);
      if (lead < 0x80) {  // ASCII stays as it is: runs of it go eight bytes at a time
        std::uint64_t word;
        if (stop - pos >= sizeof word) {
          std::memcpy(&word, utf8.data() + pos, sizeof word);
          if ((word & 0x8080808080808080u) == 0) {
            std::memcpy(buffer + used, &word, sizeof word);
            used += sizeof word;
            pos += sizeof word;
            continue;
          }
        }
        buffer[used++] = static_cast<char>(lead);
        ++pos;
        continue;
      }
      char32_t code;
      if (lead >= 0xC2 && lead < 0xE0 && pos + 1 < utf8.size() &&
          (static_cast<unsigned char>(utf8[pos + 1]) & 0xC0) == 0x80) {
        // Two-byte characters (Cyrillic, Greek, Latin accents...), decoded in place.
        code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[pos + 1]) & 0x3Fu);
        pos += 2;
      } else {
        code = NextCodePoint(utf8, pos);
      }
      const std::uint8_t byte = code < 0x10000 ? byte_of[code] : 0;
      if (byte == 0) return false;
      buffer[used++] = static_cast<char>(byte);
    }
    take(buffer, used);
  }
  return true;
}

std::string SingleByteCodePage::Decode(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char c : ansi) {
    auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte < 0x80 ? byte : high_half_[byte - 0x80]);
  }
  return out;
}

}  // namespace clipnest
