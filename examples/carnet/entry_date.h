// Dates of entries: "dd/mm/yyyy" (or "dd/mm/yy", as spreadsheets write them), a real calendar
// date from 1970 to 2037, kept as a day number.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace carnet {

// The toolkit's date fields hold signed 32-bit seconds since 1970 (up to January 2038): an
// entry outside these whole years could not be edited back in the grid's date editor.
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2037;
constexpr int kYears = kLastYear - kFirstYear + 1;
constexpr std::size_t kDateTextSize = 10;
constexpr std::size_t kShortDateTextSize = 8;

// The day number of the first day of each month of each year, and of the year after the last:
// kMonthStarts[year - 1970][month - 1]; [..][12] is the next year's first day.
extern const std::array<std::array<std::uint16_t, 13>, kYears> kMonthStarts;

// Nonzero unless each of the four values (a byte minus '0', unsigned) is a digit: a digit is at
// most 9, so adding 6 keeps it below 16; a value past 9 is not, and one that wrapped below '0'
// has high bits itself (adding 6 alone would bring '*' to '/' back to 0 to 5).
inline unsigned NotDigits(unsigned a, unsigned b, unsigned c, unsigned d) {
  return (((a + 6) | a) | ((b + 6) | b) | ((c + 6) | c) | ((d + 6) | d)) >> 4;
}

// Days since 01/01/1970 of the 10 bytes at `text`, or -1 when they are not a date in range.
inline int ScanDate(const char* text) {
  auto digit = [text](int at) { return static_cast<unsigned char>(text[at]) - unsigned('0'); };
  const unsigned d[8] = {digit(0), digit(1), digit(3), digit(4),
                         digit(6), digit(7), digit(8), digit(9)};
  const unsigned wrong = NotDigits(d[0], d[1], d[2], d[3]) | NotDigits(d[4], d[5], d[6], d[7]);
  const unsigned day = d[0] * 10 + d[1];
  const unsigned month = d[2] * 10 + d[3];
  const unsigned year = d[4] * 1000 + d[5] * 100 + d[6] * 10 + d[7];
  // Unsigned differences: a year or month below the range wraps past it.
  if (wrong != 0 || text[2] != '/' || text[5] != '/' || year - kFirstYear >= unsigned(kYears) ||
      month - 1 >= 12u) {
    return -1;
  }
  const std::array<std::uint16_t, 13>& starts = kMonthStarts[year - kFirstYear];
  if (day - 1 >= unsigned(starts[month] - starts[month - 1])) return -1;
  return starts[month - 1] + static_cast<int>(day) - 1;
}

// The full year of each two-digit year, read as the toolkit's date fields read "yy" (so that a
// file a spreadsheet wrote with two-digit years means what the program's own fields would),
// or -1 when that year is outside 1970..2037.
const std::array<std::int16_t, 100>& ShortYears();

// Days since 01/01/1970 of the 8 bytes "dd/mm/yy" at `text`, or -1.
inline int ScanShortDate(const char* text) {
  auto digit = [text](int at) { return static_cast<unsigned char>(text[at]) - unsigned('0'); };
  const unsigned d[6] = {digit(0), digit(1), digit(3), digit(4), digit(6), digit(7)};
  const unsigned wrong = NotDigits(d[0], d[1], d[2], d[3]) | NotDigits(d[4], d[5], 0, 0);
  if (wrong != 0 || text[2] != '/' || text[5] != '/') return -1;
  const int year = ShortYears()[d[4] * 10 + d[5]];
  const unsigned day = d[0] * 10 + d[1];
  const unsigned month = d[2] * 10 + d[3];
  if (year < 0 || month - 1 >= 12u) return -1;
  const std::array<std::uint16_t, 13>& starts = kMonthStarts[year - kFirstYear];
  if (day - 1 >= unsigned(starts[month] - starts[month - 1])) return -1;
  return starts[month - 1] + static_cast<int>(day) - 1;
}

// True when the whole text is one date.
bool ParseDate(const std::string& text, int& days);
// Writes the kDateTextSize bytes of "dd/mm/yyyy".
void FormatDate(int days, char* out);
// Writes the kShortDateTextSize bytes of "dd/mm/yy".
void FormatShortDate(int days, char* out);
std::string DateText(int days);

}  // namespace carnet
