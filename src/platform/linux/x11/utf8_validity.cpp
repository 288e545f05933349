#include "platform/linux/x11/utf8_validity.h"

#include <cstdint>
#include <cstring>

namespace clipnest::linux_backend {
namespace {

using Byte = unsigned char;
// Sixteen bytes at a time, in the compiler's portable vector types.
using Block = Byte __attribute__((vector_size(16)));

template <typename Lanes>
bool Any(Lanes lanes) {
  std::uint64_t words[2];
  std::memcpy(words, &lanes, sizeof words);
  return (words[0] | words[1]) != 0;
}

bool IsLeadOfTwo(Byte byte) {
  return byte >= 0xC2 && byte <= 0xDF;
}

bool IsContinuation(Byte byte) {
  return (byte & 0xC0) == 0x80;
}

// One character from `at`, checked in full; its length, or 0 when it is not well-formed.
int CharacterLength(const Byte* at, const Byte* end) {
  const Byte lead = *at;
  if (lead < 0x80) return 1;
  const auto left = end - at;
  if (IsLeadOfTwo(lead)) return left >= 2 && IsContinuation(at[1]) ? 2 : 0;
  // The second byte's range excludes overlong forms, surrogates and code points above U+10FFFF.
  Byte low = 0x80;
  Byte high = 0xBF;
  int length = 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length || at[1] < low || at[1] > high) return 0;
  for (int i = 2; i < length; ++i) {
    if (!IsContinuation(at[i])) return 0;
  }
  return length;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view text) {
  const auto* begin = reinterpret_cast<const Byte*>(text.data());
  const Byte* end = begin + text.size();
  const Byte* at = begin;
  // The first character on its own: each block below is read together with the byte before it.
  if (at < end) {
    const int length = CharacterLength(at, end);
    if (length == 0) return false;
    at += length;
  }
  while (end - at >= 16) {
    Block block;
    Block before;
    std::memcpy(&block, at, sizeof block);
    std::memcpy(&before, at - 1, sizeof before);
    // Blocks of characters of one or two bytes (most text in Latin, Cyrillic, Greek...): each
    // continuation byte follows a lead of two bytes, and nothing else does.
    const auto other = (block >= 0xE0) | ((block & 0xFE) == 0xC0);
    const auto continuation = (block & 0xC0) == 0x80;
    const auto after_lead = (before >= 0xC2) & (before <= 0xDF);
    if (!Any(other | (continuation ^ after_lead))) {
      at += 16;
      continue;
    }
    // Otherwise character by character through this block, from the start of the character
    // that holds its first byte.
    const Byte* block_end = at + 16;
    if (IsLeadOfTwo(at[-1])) --at;
    while (at < block_end) {
      const int length = CharacterLength(at, end);
      if (length == 0) return false;
      at += length;
    }
  }
  if (at > begin && IsLeadOfTwo(at[-1])) --at;
  while (at < end) {
    const int length = CharacterLength(at, end);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace clipnest::linux_backend
