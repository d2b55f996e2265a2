// Amounts: the reader's grammar, the canonical writer and the exact total.
#include "entry_amount.h"

namespace carnet {
namespace {

// Writes `value` in decimal, at least `width` digits; returns the count.
std::size_t WriteDigits(std::uint64_t value, std::size_t width, char* out) {
  char digits[20];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 || count < width);
  for (std::size_t i = 0; i < count; ++i) out[i] = digits[count - 1 - i];
  return count;
}

// ",ddd" without trailing zeros, nothing for 0.
std::size_t WriteFraction(std::uint32_t nanos, char* out) {
  if (nanos == 0) return 0;
  out[0] = ',';
  std::size_t count = WriteDigits(nanos, 9, out + 1);
  while (out[count] == '0') --count;
  return count + 1;
}

}  // namespace

bool ParseAmount(const std::string& text, Amount& amount) {
  return ScanAmount(text.c_str(), amount) == text.c_str() + text.size();
}

std::size_t FormatAmount(Amount amount, char* out) {
  std::size_t count = 0;
  std::uint64_t units = static_cast<std::uint64_t>(amount.units);
  std::uint32_t nanos = amount.nanos;
  if (amount.units < 0) {
    out[count++] = '-';
    units = static_cast<std::uint64_t>(-(amount.units + (nanos != 0 ? 1 : 0)));
    if (nanos != 0) nanos = kNanosPerUnit - nanos;
  }
  count += WriteDigits(units, 1, out + count);
  return count + WriteFraction(nanos, out + count);
}

std::string AmountText(Amount amount) {
  char text[kAmountTextMax];
  return std::string(text, FormatAmount(amount, text));
}

std::string AmountTotal::Text() const {
  // Give both words the sign of the whole units, then write sign, magnitude and fraction.
  std::int64_t high = high_;
  std::int64_t low = low_;
  if (high > 0 && low < 0) {
    --high;
    low += kWord;
  } else if (high < 0 && low > 0) {
    ++high;
    low -= kWord;
  }
  const bool negative = high < 0 || low < 0;
  std::uint64_t highSize = static_cast<std::uint64_t>(negative ? -high : high);
  std::uint64_t lowSize = static_cast<std::uint64_t>(negative ? -low : low);
  std::uint32_t nanos = static_cast<std::uint32_t>(nanos_);
  if (negative && nanos != 0) {
    // -(u + n) with 0 < n < 1 is -((u - 1) + (1 - n)).
    nanos = kNanosPerUnit - nanos;
    if (lowSize == 0) {
      --highSize;
      lowSize = kWord - 1;
    } else {
      --lowSize;
    }
  }
  char text[64];
  std::size_t count = 0;
  if (negative) text[count++] = '-';
  if (highSize != 0) {
    count += WriteDigits(highSize, 1, text + count);
    count += WriteDigits(lowSize, 18, text + count);
  } else {
    count += WriteDigits(lowSize, 1, text + count);
  }
  count += WriteFraction(nanos, text + count);
  return std::string(text, count);
}

}  // namespace carnet
