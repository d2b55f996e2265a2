// The text of entries in the file's encoding: UTF-8 checked and counted, and converted to and
// from code page 1252, which the program works in.
#pragma once

#include <cstddef>
#include <string>

#include "entry_label.h"

namespace carnet {

// The first byte at or after `begin` where [begin, end) stops being well-formed UTF-8 (a stray
// continuation byte, an overlong form, a surrogate, a code point past U+10FFFF, a cut sequence),
// or `end`. `nonAscii` tells whether a byte of 0x80 or more came before that point.
const char* FindInvalidUtf8(const char* begin, const char* end, bool& nonAscii);

// True when the bytes hold a well-formed UTF-8 sequence of two to four bytes: how a label in
// UTF-8 shows inside a file in code page 1252.
bool HoldsUtf8Sequence(const char* text, std::size_t size);

// Checks a label or category in well-formed UTF-8 as CheckLabel checks one in code page 1252:
// 1 to 100 characters, not only spaces, no control character (C0, DEL or C1).
LabelCheck CheckLabelUtf8(const char* text, std::size_t size);

// Appends well-formed UTF-8 in code page 1252; a character 1252 lacks becomes '?'.
void AppendUtf8AsCp1252(std::string& out, const char* text, std::size_t size);
// Appends code page 1252 text in UTF-8 (the five bytes 1252 leaves undefined become U+FFFD).
void AppendCp1252AsUtf8(std::string& out, const char* text, std::size_t size);

}  // namespace carnet
