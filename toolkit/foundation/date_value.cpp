// DateValue: range checks, the local-time conversion, and the format walk
// shared by Parse and Format.
#include "zarvik/date_value.h"

#include <climits>
#include <cstddef>
#include <ctime>

#include "foundation/clock.h"
#include "foundation/foundation_intl.h"

namespace {

bool IsFormatLetter(char c) {
  return c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's';
}

// One literal stretch of a format and the token that follows it.
struct FormatPiece {
  std::string literal;    // the literal characters, each "!" dropped
  char letter = 0;        // the token's letter; 0 when the format ended first
  std::size_t count = 0;  // how many times the letter repeats
};

// Reads the piece at `pos` and moves `pos` past it.
FormatPiece NextPiece(const std::string& format, std::size_t& pos) {
  FormatPiece piece;
  while (pos < format.size() && !IsFormatLetter(format[pos])) {
    if (format[pos] == '!') {
      ++pos;
      if (pos >= format.size()) break;  // a trailing "!" escapes nothing
    }
    piece.literal += format[pos];
    ++pos;
  }
  if (pos < format.size()) {
    piece.letter = format[pos];
    while (pos < format.size() && format[pos] == piece.letter) {
      ++pos;
      ++piece.count;
    }
  }
  return piece;
}

enum class Component { None, Day, Month, ShortYear, Year, Hour, Minute, Second };

// What a token stands for; runs such as "y", "yyy" or "ddd" stand for nothing.
Component TokenComponent(const FormatPiece& piece) {
  if (piece.letter == 'y') {
    if (piece.count == 2) return Component::ShortYear;
    return piece.count == 4 ? Component::Year : Component::None;
  }
  if (piece.count != 1 && piece.count != 2) return Component::None;
  switch (piece.letter) {
    case 'd':
      return Component::Day;
    case 'm':
      return Component::Month;
    case 'h':
      return Component::Hour;
    case 'n':
      return Component::Minute;
    case 's':
      return Component::Second;
    default:
      return Component::None;
  }
}

// Skips to the next run of digits and reads it. A run too long for an int
// saturates at INT_MAX, which every range test refuses. False when the text
// holds no digit past `pos`.
bool ReadNumber(std::string_view text, std::size_t& pos, int& number) {
  while (pos < text.size() && !ZK_IsDigitIntl(text[pos])) ++pos;
  if (pos >= text.size()) return false;
  long long value = 0;
  while (pos < text.size() && ZK_IsDigitIntl(text[pos])) {
    if (value <= INT_MAX) value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  number = value > INT_MAX ? INT_MAX : static_cast<int>(value);
  return true;
}

// Two-digit years: below 38 this century, up to 499 the last one.
int WindowShortYear(int n) {
  if (n < 38) return 2000 + n;
  if (n < 500) return 1900 + n;
  return n;
}

// Puts a number read for a component into its field.
void Store(Component component, int number, ZK_DateFields* fields) {
  switch (component) {
    case Component::Day:
      fields->day = number;
      break;
    case Component::Month:
      fields->month = number;
      break;
    case Component::ShortYear:
      fields->year = WindowShortYear(number);
      break;
    case Component::Year:
      fields->year = number;
      break;
    case Component::Hour:
      fields->hour = number;
      break;
    case Component::Minute:
      fields->minute = number;
      break;
    case Component::Second:
      fields->second = number;
      break;
    case Component::None:
      break;
  }
}

std::string Decimal(int value, bool padded) {
  std::string digits = std::to_string(value);
  if (padded && value >= 0 && value < 10) digits.insert(digits.begin(), '0');
  return digits;
}

}  // namespace

ZK_DateReader::ZK_DateReader(const std::string& format) {
  // A trailing literal stretch is a token that stands for nothing: it still takes a number.
  bool fixed = true;
  for (std::size_t pos = 0; pos < format.size();) {
    const FormatPiece piece = NextPiece(format, pos);
    const Component component = TokenComponent(piece);
    tokens_.push_back(static_cast<unsigned char>(component));
    // Fixed widths: two digits, four for a year, each token after the first behind a separator
    // (digits side by side would read as one number).
    const bool widthFixed =
        component != Component::None && (piece.count == 2 || component == Component::Year);
    if (!widthFixed || (piece.literal.empty() && fixedSize_ != 0)) fixed = false;
    fixedSize_ += piece.literal.size();
    if (fixedSize_ + piece.count > 64) fixed = false;
    if (!fixed) continue;
    starts_.push_back(static_cast<unsigned char>(fixedSize_));
    for (std::size_t i = 0; i < piece.count; ++i) fixedDigits_ |= std::uint64_t{1} << fixedSize_++;
  }
  if (!fixed) {
    fixedSize_ = 0;
    fixedDigits_ = 0;
    starts_.clear();
  }
}

// The same fields as the walk below for a text of the fixed shape, whose every number is a run of
// digits at its place; false for any other text.
bool ZK_DateReader::ReadFixed(std::string_view text, ZK_DateFields* fields) const {
  if (fixedSize_ == 0 || text.size() != fixedSize_) return false;
  std::uint64_t digits = 0;
  for (std::size_t i = 0; i < fixedSize_; ++i)
    digits |= std::uint64_t{ZK_IsDigitIntl(text[i])} << i;
  if (digits != fixedDigits_) return false;
  // The field of each component, in the order of Component (None has none: never fixed).
  static int ZK_DateFields::*const kFields[] = {nullptr,
                                                &ZK_DateFields::day,
                                                &ZK_DateFields::month,
                                                &ZK_DateFields::year,
                                                &ZK_DateFields::year,
                                                &ZK_DateFields::hour,
                                                &ZK_DateFields::minute,
                                                &ZK_DateFields::second};
  for (std::size_t token = 0; token < starts_.size(); ++token) {
    const char* at = text.data() + starts_[token];
    int number = (at[0] - '0') * 10 + (at[1] - '0');
    const auto component = static_cast<Component>(tokens_[token]);
    if (component == Component::Year) number = number * 100 + (at[2] - '0') * 10 + (at[3] - '0');
    if (component == Component::ShortYear) number = WindowShortYear(number);
    fields->*kFields[tokens_[token]] = number;
  }
  return true;
}

ZK_DateFields ZK_DateReader::Read(std::string_view text) const {
  ZK_DateFields fields;
  if (ReadFixed(text, &fields)) return fields;
  std::size_t textPos = 0;
  // Literals are not compared: any non-digit in the text separates numbers.
  for (std::size_t token = 0; token < tokens_.size() && textPos < text.size(); ++token) {
    int number = 0;
    if (!ReadNumber(text, textPos, number)) break;
    Store(static_cast<Component>(tokens_[token]), number, &fields);
  }
  return fields;
}

int ZK_DateRangeErrorIntl(const ZK_DateFields& f) {
  // Each failing test overwrites the last, so the highest code remains.
  int error = 0;
  if (f.day < 1 || f.day > 31) error = ZK_DATE_ERR_DAY;
  if (f.month < 1 || f.month > 12) error = ZK_DATE_ERR_MONTH;
  if (f.year < 1970 || f.year > 2038) error = ZK_DATE_ERR_YEAR;
  if (f.hour < 0 || f.hour > 24) error = ZK_DATE_ERR_HOUR;
  if (f.minute < 0 || f.minute > 59) error = ZK_DATE_ERR_MINUTE;
  if (f.second < 0 || f.second > 59) error = ZK_DATE_ERR_SECOND;
  return error;
}

void DateValue::SetFormat(const std::string& text) {
  error = 0;
  if (text.empty()) {
    error = ZK_DATE_ERR_FORMAT;
    return;
  }
  format = text;
}

void DateValue::Clear() {
  seconds = 0;
  empty = true;
}

void DateValue::Set(int year, int month, int day, int hour, int minute, int second) {
  error = ZK_DateRangeErrorIntl({year, month, day, hour, minute, second});
  if (error != 0) {
    Clear();
    return;
  }

  // mktime normalises what the ranges let through (31 April, hour 24).
  std::tm local{};
  local.tm_sec = second;
  local.tm_min = minute;
  local.tm_hour = hour;
  local.tm_mday = day;
  local.tm_mon = month - 1;
  local.tm_year = year - 1900;
  local.tm_wday = 0;
  local.tm_yday = 0;
  local.tm_isdst = -1;
  const long long moment = static_cast<long long>(std::mktime(&local));

  // A 64-bit time_t holds moments the 32-bit count cannot; a 32-bit one
  // answers -1 for them. Either way they are refused here.
  if (moment < 0 || moment > INT32_MAX) {
    error = ZK_DATE_ERR_RANGE;
    Clear();
    return;
  }
  seconds = static_cast<std::int32_t>(moment);
  empty = false;
}

void DateValue::Parse(const std::string& text) {
  error = 0;
  if (text.empty()) error = ZK_DATE_ERR_NOTHING;
  if (format.empty()) error = ZK_DATE_ERR_FORMAT;
  if (error != 0) {
    Clear();
    return;
  }

  ZK_DateFields f = ZK_DateReader(format).Read(text);
  // The year and month left out come from today; a missing day does not,
  // so that the range test refuses it.
  std::tm today{};
  if (ZK_LocalTimeIntl(ZK_ClockNowIntl(), today)) {
    if (f.year == 0) f.year = today.tm_year + 1900;
    if (f.month == 0) f.month = today.tm_mon + 1;
  }
  Set(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

std::string DateValue::Format(const std::string& pattern) {
  error = 0;
  if (empty) return "";
  const std::string& used = pattern.empty() ? format : pattern;
  // Set never holds a moment before 1970; one written into the field
  // directly (-1 included) is refused rather than handed to localtime,
  // which fails for it on Windows.
  if (seconds < 0) {
    error = ZK_DATE_ERR_RANGE;
    return "";
  }
  if (seconds == 0) {
    error = ZK_DATE_ERR_NOTHING;
    return "";
  }
  if (used.empty()) {
    error = ZK_DATE_ERR_FORMAT;
    return "";
  }
  std::tm local{};
  if (!ZK_LocalTimeIntl(static_cast<std::time_t>(seconds), local)) {
    error = ZK_DATE_ERR_RANGE;
    return "";
  }

  std::string result;
  std::size_t pos = 0;
  while (pos < used.size()) {
    const FormatPiece piece = NextPiece(used, pos);
    result += piece.literal;
    const bool padded = piece.count == 2;
    switch (TokenComponent(piece)) {
      case Component::Day:
        result += Decimal(local.tm_mday, padded);
        break;
      case Component::Month:
        result += Decimal(local.tm_mon + 1, padded);
        break;
      case Component::ShortYear:
        result += Decimal((local.tm_year + 1900) % 100, true);
        break;
      case Component::Year:
        result += Decimal(local.tm_year + 1900, false);
        break;
      case Component::Hour:
        result += Decimal(local.tm_hour, padded);
        break;
      case Component::Minute:
        result += Decimal(local.tm_min, padded);
        break;
      case Component::Second:
        result += Decimal(local.tm_sec, padded);
        break;
      case Component::None:
        break;
    }
  }
  return result;
}
