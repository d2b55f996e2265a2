// Dates: the table of month starts the reader looks dates up in, and the writer (proleptic
// Gregorian calendar, days counted from 01/01/1970).
#include "entry_date.h"

#include <zarvik/date_value.h>

#include <cstdlib>

namespace carnet {
namespace {

constexpr bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr std::array<std::array<std::uint16_t, 13>, kYears> MakeMonthStarts() {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::array<std::array<std::uint16_t, 13>, kYears> starts{};
  int day = 0;
  for (int year = 0; year < kYears; ++year) {
    for (int month = 0; month < 12; ++month) {
      starts[year][month] = static_cast<std::uint16_t>(day);
      day += kDays[month] + (month == 1 && IsLeap(kFirstYear + year) ? 1 : 0);
    }
    starts[year][12] = static_cast<std::uint16_t>(day);
  }
  return starts;
}

}  // namespace

const std::array<std::array<std::uint16_t, 13>, kYears> kMonthStarts = MakeMonthStarts();

bool ParseDate(const std::string& text, int& days) {
  if (text.size() != kDateTextSize) return false;
  days = ScanDate(text.data());
  return days >= 0;
}

void FormatDate(int days, char* out) {
  int year = 0;
  while (year + 1 < kYears && kMonthStarts[year + 1][0] <= days) ++year;
  int month = 0;
  while (month + 1 < 12 && kMonthStarts[year][month + 1] <= days) ++month;
  const int day = days - kMonthStarts[year][month] + 1;
  const int numbers[3] = {day, month + 1, kFirstYear + year};
  const int widths[3] = {2, 2, 4};
  char* at = out;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) *at++ = '/';
    for (int digit = widths[i] - 1, value = numbers[i]; digit >= 0; --digit, value /= 10)
      at[digit] = static_cast<char>('0' + value % 10);
    at += widths[i];
  }
}

const std::array<std::int16_t, 100>& ShortYears() {
  // Mid-year, so that no time zone moves the day out of its year.
  static const std::array<std::int16_t, 100> years = [] {
    std::array<std::int16_t, 100> table{};
    for (int yy = 0; yy < 100; ++yy) {
      DateValue value;
      value.SetFormat("dd/mm/yy");
      value.Parse("15/06/" + std::string(1, char('0' + yy / 10)) + char('0' + yy % 10));
      const int year = value.Error() == 0 ? std::atoi(value.Format("yyyy").c_str()) : -1;
      table[yy] = static_cast<std::int16_t>(year >= kFirstYear && year <= kLastYear ? year : -1);
    }
    return table;
  }();
  return years;
}

void FormatShortDate(int days, char* out) {
  char full[kDateTextSize];
  FormatDate(days, full);
  for (std::size_t i = 0; i < 6; ++i) out[i] = full[i];
  out[6] = full[8];
  out[7] = full[9];
}

std::string DateText(int days) {
  char text[kDateTextSize];
  FormatDate(days, text);
  return std::string(text, kDateTextSize);
}

}  // namespace carnet
