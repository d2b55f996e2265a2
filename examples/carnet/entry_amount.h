// Exact amounts of entries and their total: read, written and added up without floating point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#ifdef _MSC_VER
#include <intrin.h>
#endif

namespace carnet {

// An amount is below 10^15 in size, so its units fit 64 bits; the total of kMaxEntries amounts
// stays below 2^32 * 10^15 units, well within the total's two words.
constexpr int kAmountIntegerDigits = 15;
constexpr int kAmountFractionDigits = 9;
constexpr std::uint32_t kNanosPerUnit = 1000000000;
// '-', 15 digits, ',', 9 digits.
constexpr std::size_t kAmountTextMax = 26;

// An amount as floor(value) plus the rest in billionths, so that (units, nanos) compares as the
// value does: -12,5 is units -13, nanos 500000000.
struct Amount {
  std::int64_t units = 0;
  std::uint32_t nanos = 0;  // 0 .. 999 999 999
};

inline bool operator<(Amount a, Amount b) {
  return a.units < b.units || (a.units == b.units && a.nanos < b.nanos);
}
inline bool operator==(Amount a, Amount b) {
  return a.units == b.units && a.nanos == b.nanos;
}

// Reads "[-]digits[,digits]" (1 to 15 digits, then 1 to 9) at `text`, which some byte other
// than a digit or a comma follows (a line end, a separator, a quote, a string's final NUL), so
// that the walk needs no end. Returns the byte after the amount, or nullptr.
inline const char* ScanAmount(const char* text, Amount& amount) {
  const char* p = text;
  const bool negative = *p == '-';
  p += negative;
  const char* digits = p;
  std::uint64_t units = 0;  // wraps harmlessly past 15 digits, which are refused
  for (unsigned digit; (digit = unsigned(*p) - '0') <= 9; ++p) units = units * 10 + digit;
  if (p == digits || p - digits > kAmountIntegerDigits) return nullptr;
  std::uint32_t nanos = 0;
  if (*p == ',') {
    const char* fraction = ++p;
    static const std::uint32_t kScale[kAmountFractionDigits] = {
        100000000, 10000000, 1000000, 100000, 10000, 1000, 100, 10, 1};
    for (unsigned digit; (digit = unsigned(*p) - '0') <= 9; ++p) {
      if (p - fraction == kAmountFractionDigits) return nullptr;
      nanos += digit * kScale[p - fraction];
    }
    if (p == fraction) return nullptr;
  }
  const std::int64_t whole = static_cast<std::int64_t>(units);
  if (negative && nanos != 0) {
    amount.units = -whole - 1;
    amount.nanos = kNanosPerUnit - nanos;
  } else {
    amount.units = negative ? -whole : whole;
    amount.nanos = nanos;
  }
  return p;
}
#if defined(_MSC_VER) || (defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__)
// How many of the 8 bytes of `bytes` (the first in the lowest byte) lead as decimal digits.
// A byte of 0xFA or more carries into the next, which is past the first non-digit already.
inline unsigned LeadingDigits(std::uint64_t bytes) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
  constexpr std::uint64_t kZeros = 0x3030303030303030u;
  const std::uint64_t other =
      ((bytes & kHigh) ^ kZeros) | (((bytes + 0x0606060606060606u) & kHigh) ^ kZeros);
  const std::uint64_t seven = 0x7F7F7F7F7F7F7F7Fu;
  const std::uint64_t stops = (((other & seven) + seven) | other) & 0x8080808080808080u;
  if (stops == 0) return 8;
#ifdef _MSC_VER
  unsigned long bit;
  _BitScanForward64(&bit, stops);
  return static_cast<unsigned>(bit) / 8;
#else
  return static_cast<unsigned>(__builtin_ctzll(stops)) / 8;
#endif
}

// The value of the first `count` (1 to 8) digits of `bytes`: moved to the top, zeros before
// them read as leading zeros, then added up in pairs, fours and eights.
inline std::uint32_t DigitsValue(std::uint64_t bytes, unsigned count) {
  bytes = (bytes & 0x0F0F0F0F0F0F0F0Fu) << (8 * (8 - count));
  bytes = (bytes * 2561) >> 8;
  bytes = ((bytes & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
  return static_cast<std::uint32_t>(((bytes & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32);
}

// ScanAmount for text followed by at least 16 readable bytes (the file's padding): eight bytes
// at a time instead of one, without a branch per digit. The same answer as ScanAmount.
inline const char* ScanAmountPadded(const char* text, Amount& amount) {
  static const std::uint32_t kScale[9] = {1000000000, 100000000, 10000000, 1000000, 100000,
                                          10000,      1000,      100,      10};
  const char* p = text;
  const bool negative = *p == '-';
  p += negative;
  std::uint64_t bytes;
  std::memcpy(&bytes, p, 8);
  const unsigned whole = LeadingDigits(bytes);
  if (whole == 0 || whole == 8) return ScanAmount(text, amount);  // none, or maybe more
  const std::uint64_t units = DigitsValue(bytes, whole);
  p += whole;
  std::uint32_t nanos = 0;
  if (*p == ',') {
    std::memcpy(&bytes, ++p, 8);
    const unsigned fraction = LeadingDigits(bytes);
    if (fraction == 0 || fraction == 8) return ScanAmount(text, amount);
    nanos = DigitsValue(bytes, fraction) * kScale[fraction];
    p += fraction;
  }
  const std::int64_t signedUnits = static_cast<std::int64_t>(units);
  if (negative && nanos != 0) {
    amount.units = -signedUnits - 1;
    amount.nanos = kNanosPerUnit - nanos;
  } else {
    amount.units = negative ? -signedUnits : signedUnits;
    amount.nanos = nanos;
  }
  return p;
}
#else
inline const char* ScanAmountPadded(const char* text, Amount& amount) {
  return ScanAmount(text, amount);
}
#endif

// True when the whole text is one amount.
bool ParseAmount(const std::string& text, Amount& amount);
// The canonical text: a comma, no trailing fraction zeros, no "-0". Writes at most
// kAmountTextMax bytes; returns how many.
std::size_t FormatAmount(Amount amount, char* out);
std::string AmountText(Amount amount);

// The exact sum of amounts: whole units as high * 10^18 + low, billionths apart.
class AmountTotal {
 public:
  void Add(Amount amount) {
    low_ += amount.units;
    nanos_ += amount.nanos;
    Carry();
  }
  void Subtract(Amount amount) {
    low_ -= amount.units;
    nanos_ -= static_cast<std::int64_t>(amount.nanos);
    Carry();
  }
  // Adds sums of amounts: `units` below 2^62 in size, `nanos` from 0 to 2^62.
  void AddSums(std::int64_t units, std::int64_t nanos) {
    nanos_ += nanos % kNanosPerUnit;
    low_ += units % kWord + nanos / kNanosPerUnit + nanos_ / kNanosPerUnit;
    nanos_ %= kNanosPerUnit;
    high_ += units / kWord + low_ / kWord;
    low_ %= kWord;
  }
  // Adds another total: the parts of a file read side by side.
  void Add(const AmountTotal& other) {
    high_ += other.high_;
    low_ += other.low_;
    nanos_ += other.nanos_;
    if (nanos_ >= kNanosPerUnit) {
      nanos_ -= kNanosPerUnit;
      ++low_;
    }
    high_ += low_ / kWord;
    low_ %= kWord;
  }
  std::string Text() const;

 private:
  static constexpr std::int64_t kWord = 1000000000000000000;  // 10^18

  // One step each way suffices: every change is below 10^15 units and one unit in billionths.
  void Carry() {
    if (nanos_ >= kNanosPerUnit) {
      nanos_ -= kNanosPerUnit;
      ++low_;
    } else if (nanos_ < 0) {
      nanos_ += kNanosPerUnit;
      --low_;
    }
    if (low_ >= kWord) {
      low_ -= kWord;
      ++high_;
    } else if (low_ <= -kWord) {
      low_ += kWord;
      --high_;
    }
  }

  std::int64_t high_ = 0;   // multiples of 10^18 units
  std::int64_t low_ = 0;    // units, |low_| < 10^18
  std::int64_t nanos_ = 0;  // billionths, kept in 0 .. 999 999 999
};

}  // namespace carnet
