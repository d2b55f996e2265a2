// Labels: the byte table the reader walks, the label rules, and quoting.
#include "entry_label.h"

namespace carnet {
namespace {

constexpr std::array<std::uint8_t, 256> MakeByteKinds() {
  std::array<std::uint8_t, 256> kinds{};
  for (int c = 0; c < 0x20; ++c) kinds[c] = kLabelRefused;
  kinds[0x7F] = kLabelRefused;
  // Code page 1252 has no character at these five bytes.
  kinds[0x81] = kinds[0x8D] = kinds[0x8F] = kinds[0x90] = kinds[0x9D] = kLabelRefused;
  kinds['\r'] = kinds['\n'] = kLabelLineEnd;
  kinds[';'] = kLabelSeparator;
  kinds['"'] = kLabelQuote;
  return kinds;
}

std::uint8_t KindOf(char c) {
  return kLabelByteKind[static_cast<unsigned char>(c)];
}

}  // namespace

const std::array<std::uint8_t, 256> kLabelByteKind = MakeByteKinds();

LabelCheck CheckLabel(const char* text, std::size_t size) {
  if (size > kLabelMaxBytes) return LabelCheck::TooLong;
  bool blank = true;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t kind = KindOf(text[i]);
    if (kind == kLabelRefused || kind == kLabelLineEnd) return LabelCheck::BadCharacter;
    blank = blank && text[i] == ' ';
  }
  return blank ? LabelCheck::Missing : LabelCheck::Ok;
}

void AppendLabelField(std::string& out, const char* text, std::size_t size) {
  // Only the separator and the quote need it: the other bytes a label may hold stand plain, in
  // code page 1252 and in UTF-8 alike.
  bool quoted = false;
  for (std::size_t i = 0; i < size && !quoted; ++i) quoted = text[i] == ';' || text[i] == '"';
  if (!quoted) {
    out.append(text, size);
    return;
  }
  out += '"';
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] == '"') out += '"';
    out += text[i];
  }
  out += '"';
}

void AppendUnquoted(std::string& out, const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    out += text[i];
    if (text[i] == '"') ++i;  // the second of a doubled pair
  }
}

}  // namespace carnet
