// Dates: the strict "dd/mm/yyyy" reader and writer over day numbers (proleptic Gregorian
// calendar, days counted from 01/01/1970).
#include "entry_date.h"

namespace carnet {
namespace {

int Digit(char c) {
  return c >= '0' && c <= '9' ? c - '0' : -1000;  // any non-digit makes the number negative
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Counted from March so that the leap day ends the year; the years are positive here.
int DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const int era = year / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int days, int& year, int& month, int& day) {
  days += 719468;
  const int era = days / 146097;
  const int dayOfEra = days - era * 146097;
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int shifted = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  month = shifted < 10 ? shifted + 3 : shifted - 9;
  year = yearOfEra + era * 400 + (month <= 2);
}

}  // namespace

int ScanDate(const char* text) {
  if (text[2] != '/' || text[5] != '/') return -1;
  const int day = Digit(text[0]) * 10 + Digit(text[1]);
  const int month = Digit(text[3]) * 10 + Digit(text[4]);
  const int year =
      Digit(text[6]) * 1000 + Digit(text[7]) * 100 + Digit(text[8]) * 10 + Digit(text[9]);
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return -1;
  }
  return DaysFromCivil(year, month, day);
}

bool ParseDate(const std::string& text, int& days) {
  if (text.size() != kDateTextSize) return false;
  days = ScanDate(text.data());
  return days >= 0;
}

void FormatDate(int days, char* out) {
  int year, month, day;
  CivilFromDays(days, year, month, day);
  const int parts[3] = {day, month, year};
  out[0] = static_cast<char>('0' + parts[0] / 10);
  out[1] = static_cast<char>('0' + parts[0] % 10);
  out[2] = '/';
  out[3] = static_cast<char>('0' + parts[1] / 10);
  out[4] = static_cast<char>('0' + parts[1] % 10);
  out[5] = '/';
  out[6] = static_cast<char>('0' + parts[2] / 1000);
  out[7] = static_cast<char>('0' + parts[2] / 100 % 10);
  out[8] = static_cast<char>('0' + parts[2] / 10 % 10);
  out[9] = static_cast<char>('0' + parts[2] % 10);
}

std::string DateText(int days) {
  char text[kDateTextSize];
  FormatDate(days, text);
  return std::string(text, kDateTextSize);
}

}  // namespace carnet
