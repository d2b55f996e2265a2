// UTF-8 and code page 1252: validation sixteen ASCII bytes at a time, the label rule counted in
// characters, and the two conversions through 1252's table.
#include "entry_encoding.h"

#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace carnet {
namespace {

// Unicode of the bytes 0x80 to 0x9F of code page 1252; 0 where it has no character.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned char Byte(const char* p) {
  return static_cast<unsigned char>(*p);
}

bool Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `p` (2 to 4) and its code point, or 0.
std::size_t Sequence(const char* p, const char* end, std::uint32_t& point) {
  const unsigned char lead = Byte(p);
  std::size_t length;
  std::uint32_t least;  // below it, an overlong form
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
    least = 0x10000;
  } else {
    return 0;
  }
  if (static_cast<std::size_t>(end - p) < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!Continuation(Byte(p + i))) return 0;
    point = point << 6 | (Byte(p + i) & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

void AppendPoint(std::string& out, std::uint32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | point >> 6);
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | point >> 12);
    out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

const char* FindInvalidUtf8(const char* begin, const char* end, bool& nonAscii) {
  nonAscii = false;
  const char* p = begin;
  while (p < end) {
#if defined(__SSE2__) || defined(_M_X64)
    while (end - p >= 16 &&
           _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) == 0) {
      p += 16;
    }
    if (p == end) break;
#endif
    if (Byte(p) < 0x80) {
      ++p;
      continue;
    }
    std::uint32_t point;
    const std::size_t length = Sequence(p, end, point);
    if (length == 0) return p;
    nonAscii = true;
    p += length;
  }
  return end;
}

bool HoldsUtf8Sequence(const char* text, std::size_t size) {
  const char* end = text + size;
  for (const char* p = text; p < end; ++p) {
    std::uint32_t point;
    if (Byte(p) >= 0xC2 && Sequence(p, end, point) != 0) return true;
  }
  return false;
}

LabelCheck CheckLabelUtf8(const char* text, std::size_t size) {
  const char* end = text + size;
  std::size_t characters = 0;
  bool blank = true;
  for (const char* p = text; p < end; ++characters) {
    std::uint32_t point = Byte(p);
    std::size_t length = 1;
    if (point >= 0x80) {
      length = Sequence(p, end, point);
      if (length == 0) return LabelCheck::BadCharacter;
    }
    if (point < 0x20 || (point >= 0x7F && point <= 0x9F)) return LabelCheck::BadCharacter;
    blank = blank && point == ' ';
    p += length;
  }
  if (characters > kLabelMaxBytes) return LabelCheck::TooLong;
  return blank ? LabelCheck::Missing : LabelCheck::Ok;
}

void AppendUtf8AsCp1252(std::string& out, const char* text, std::size_t size) {
  const char* end = text + size;
  for (const char* p = text; p < end;) {
    std::uint32_t point = Byte(p);
    std::size_t length = 1;
    if (point >= 0x80) {
      length = Sequence(p, end, point);
      if (length == 0) length = 1;  // not reached for checked text
    }
    p += length;
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) {
      out += static_cast<char>(point);
      continue;
    }
    char shown = '?';
    for (int i = 0; i < 32; ++i)
      if (kCp1252High[i] != 0 && kCp1252High[i] == point) shown = static_cast<char>(0x80 + i);
    out += shown;
  }
}

void AppendCp1252AsUtf8(std::string& out, const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned char c = Byte(text + i);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0xA0) {
      AppendPoint(out, kCp1252High[c - 0x80] != 0 ? kCp1252High[c - 0x80] : 0xFFFD);
    } else {
      AppendPoint(out, c);
    }
  }
}

}  // namespace carnet
