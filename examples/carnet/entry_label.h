// Labels of entries: which bytes a label may hold, and RFC 4180 quoting.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace carnet {

// One byte per character in code page 1252.
constexpr std::size_t kLabelMaxBytes = 100;

// How the reader sees each byte of a label.
enum LabelByte : std::uint8_t {
  kLabelPlain,      // may stand in a label
  kLabelSeparator,  // ';'
  kLabelQuote,      // '"'
  kLabelLineEnd,    // '\r' or '\n'
  kLabelRefused,    // another control character, or a byte code page 1252 leaves undefined
};
extern const std::array<std::uint8_t, 256> kLabelByteKind;

enum class LabelCheck { Ok, Missing, TooLong, BadCharacter };

// Checks an unquoted label: 1 to 100 bytes, not only spaces, no refused byte and no line break
// (the grid shows a label on one line, and its editor could not give the line break back).
LabelCheck CheckLabel(const char* text, std::size_t size);

// Appends the label as a field: quoted, quotes doubled, only when it holds ';' or '"'.
void AppendLabelField(std::string& out, const char* text, std::size_t size);
// Appends the content of a quoted field, each doubled quote made one.
void AppendUnquoted(std::string& out, const char* text, std::size_t size);

}  // namespace carnet
