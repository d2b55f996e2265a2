// Property strings (key=value entries separated by ";"), word tests, colours and integer texts.
#include <cstdint>
#include <limits>

#include "foundation/foundation_intl.h"
#include "foundation/system.h"

namespace {

char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

// key matches the properties at pos, ASCII letters compared without case.
bool keyMatchesAt(const std::string& properties, std::size_t pos, const std::string& key) {
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (upperAscii(properties[pos + i]) != upperAscii(key[i])) {
      return false;
    }
  }
  return true;
}

bool isStreamSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

int effectiveRadix(int radix) {
  return (radix == 8 || radix == 16) ? radix : 10;
}

struct NamedColour {
  const char* name;
  std::uint32_t colour;
};

// Looked up in this order; "BUTTON" asks the system for its button face.
const NamedColour kColourNames[] = {
    {"BLACK", 0x000000}, {"WHITE", 0xFFFFFF},     {"RED", 0x0000FF},      {"BLUE", 0xFF0000},
    {"GREEN", 0x00FF00}, {"YELLOW", 0x00FFFF},    {"MAGENTA", 0xFF00FF},  {"CYAN", 0xFFFF00},
    {"GREY", 0xBFBFBF},  {"LIGHTGREY", 0xDFDFDF}, {"DARKGREY", 0x7F7F7F},
};

}  // namespace

// Searches in place rather than on upper-case copies: the same hits, and a key that is not
// there costs no allocation.
std::string ZK_PropertyGetIntl(const std::string& key, const std::string& properties) {
  if (key.empty() || properties.empty()) {
    return "";
  }
  const std::size_t keyLength = key.size();
  for (std::size_t pos = 0; pos + keyLength < properties.size(); ++pos) {
    if (pos > 0 && properties[pos - 1] != ';') {
      continue;
    }
    if (properties[pos + keyLength] != '=' || !keyMatchesAt(properties, pos, key)) {
      continue;
    }
    std::size_t begin = pos + keyLength + 1;
    std::size_t end = properties.find(';', begin);
    if (end == std::string::npos) {
      end = properties.size();
    }
    while (begin < end && properties[begin] == ' ') ++begin;
    while (end > begin && properties[end - 1] == ' ') --end;
    return properties.substr(begin, end - begin);
  }
  return "";
}

std::vector<std::string_view> ZK_PropertyKeysIntl(const std::string& properties) {
  std::vector<std::string_view> keys;
  std::size_t start = 0;
  while (start < properties.size()) {
    std::size_t end = properties.find(';', start);
    if (end == std::string::npos) end = properties.size();
    const std::size_t equals = properties.find('=', start);
    if (equals < end) keys.push_back(std::string_view(properties).substr(start, equals - start));
    start = end + 1;
  }
  return keys;
}

bool ZK_PropertyKeyInIntl(const std::vector<std::string_view>& keys, std::string_view key) {
  for (const std::string_view candidate : keys) {
    if (candidate.size() != key.size()) continue;
    std::size_t at = 0;
    while (at < key.size() && upperAscii(candidate[at]) == upperAscii(key[at])) ++at;
    if (at == key.size()) return true;
  }
  return false;
}

std::string ZK_UpperIntl(std::string text) {
  for (char& c : text) {
    c = upperAscii(c);
  }
  return text;
}

bool ZK_IsTrueIntl(const std::string& text) {
  const std::string word = ZK_UpperIntl(text);
  return word == "TRUE" || word == "T" || word == "YES" || word == "Y";
}

bool ZK_IsFalseIntl(const std::string& text) {
  const std::string word = ZK_UpperIntl(text);
  return word == "FALSE" || word == "F" || word == "NO" || word == "N";
}

std::uint32_t ZK_ColourIntl(const std::string& text) {
  const std::string word = ZK_UpperIntl(text);
  for (const NamedColour& named : kColourNames) {
    if (word == named.name) {
      return named.colour;
    }
  }
  if (word == "BUTTON") {
    return ZK_SystemButtonFaceIntl();
  }
  return static_cast<std::uint32_t>(ZK_TextToIntIntl(text, 16));
}

std::string ZK_IntToTextIntl(std::int32_t value, int radix) {
  radix = effectiveRadix(radix);
  static const char kDigits[] = "0123456789abcdef";
  // Radix 8 and 16 write the two's complement bits of negative values, as stream insertion does.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  const bool negative = radix == 10 && value < 0;
  if (negative) {
    magnitude = 0u - magnitude;
  }
  char buffer[40];
  std::size_t length = 0;
  do {
    buffer[length++] = kDigits[magnitude % static_cast<std::uint32_t>(radix)];
    magnitude /= static_cast<std::uint32_t>(radix);
  } while (magnitude != 0);
  std::string text;
  if (negative) {
    text.push_back('-');
  }
  while (length > 0) {
    text.push_back(buffer[--length]);
  }
  return text;
}

std::int32_t ZK_TextToIntIntl(const std::string& text, int radix) {
  radix = effectiveRadix(radix);
  std::size_t pos = 0;
  while (pos < text.size() && isStreamSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (radix == 16 && pos + 1 < text.size() && text[pos] == '0' &&
      (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    pos += 2;
  }
  // Accumulate in 64 bits and stop once past the 32-bit range: the result is 0 then anyway.
  const std::int64_t limit =
      static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  std::int64_t magnitude = 0;
  bool anyDigit = false;
  bool tooLarge = false;
  for (; pos < text.size(); ++pos) {
    const int digit = digitValue(text[pos]);
    if (digit >= radix) {
      break;
    }
    anyDigit = true;
    if (!tooLarge) {
      magnitude = magnitude * radix + digit;
      tooLarge = magnitude > limit;
    }
  }
  if (!anyDigit || tooLarge || (!negative && magnitude == limit)) {
    // "0x" alone reads as the 0 before the x, which is 0 as well.
    return 0;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
