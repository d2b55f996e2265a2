// Cutting a text to a number of characters of its code page: in UTF-8 a character is a whole
// sequence, never split; in the single-byte code pages it is a byte.
#include "foundation/foundation_intl.h"

namespace {
constexpr unsigned kUtf8 = 65001;

// Bytes of the UTF-8 character at text[at]. A byte that starts no valid sequence, or a sequence
// cut short, counts as far as it goes, so that any input is cut somewhere.
std::size_t sequenceLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  std::size_t n = 1;
  while (n < length && at + n < text.size() &&
         (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80)
    ++n;
  return n;
}
}  // namespace

std::string ZK_TextCutIntl(const std::string& text, std::size_t count, unsigned codePage) {
  if (codePage != kUtf8) return text.substr(0, count);
  std::size_t at = 0;
  for (std::size_t n = 0; n < count && at < text.size(); ++n) at += sequenceLength(text, at);
  return text.substr(0, at);
}
