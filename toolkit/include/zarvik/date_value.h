// DateValue: a local date and time held as a signed 32-bit count of seconds
// since 1970, read and written through d/m/y/h/n/s formats.
#pragma once

#include <cstdint>
#include <string>

// Result codes left in DateValue::error (0: no error).
enum : int {
  ZK_DATE_ERR_DAY = 1,      // day outside 1..31
  ZK_DATE_ERR_MONTH = 2,    // month outside 1..12
  ZK_DATE_ERR_YEAR = 3,     // year outside 1970..2038
  ZK_DATE_ERR_HOUR = 4,     // hour outside 0..24
  ZK_DATE_ERR_MINUTE = 5,   // minute outside 0..59
  ZK_DATE_ERR_SECOND = 6,   // second outside 0..59
  ZK_DATE_ERR_RANGE = 7,    // not a moment the 32-bit count can hold
  ZK_DATE_ERR_NOTHING = 8,  // empty text to parse, or a held value of 0
  ZK_DATE_ERR_FORMAT = 9,   // empty format
};

class DateValue {
 public:
  // Sets the default format; an empty text gives error 9 and keeps the old one.
  void SetFormat(const std::string& text);

  // Empties the value; the error code is kept.
  void Clear();

  // Builds the value from local-time components; out-of-range components
  // give errors 1..6, a moment outside the 32-bit count error 7.
  void Set(int year, int month, int day, int hour, int minute, int second);

  // Reads `text` with the default format; a missing year or month is taken
  // from the current local date.
  void Parse(const std::string& text);

  // Writes the value with `pattern`, or with the default format when the
  // pattern is empty; "" for an empty value and on every error.
  std::string Format(const std::string& pattern);

  int Error() const { return error; }

  std::int32_t seconds = 0;  // the moment, in seconds since 1970-01-01 00:00:00 UTC; 0 when none
  std::string format;        // default format for Parse, and for Format given ""
  bool empty = true;         // no date is held
  int error = 0;             // result code of the last operation
};
