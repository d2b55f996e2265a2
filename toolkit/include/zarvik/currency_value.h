// CurrencyValue: an exact decimal amount (64-bit integer part, nine-digit
// fraction, separate sign) and the CurrencyLayout it is read and written in.
#pragma once

#include <cstdint>
#include <string>

// Result codes left in CurrencyValue::error (0: no error).
enum : int {
  ZK_CURRENCY_ERR_NOT_DIGIT = 1,   // a character that is not a digit
  ZK_CURRENCY_ERR_NAME = 2,        // unknown currency name
  ZK_CURRENCY_ERR_CUT = 3,         // integer part cut to the layout's width
  ZK_CURRENCY_ERR_INT_DIGITS = 4,  // intDigits outside 0..18
  ZK_CURRENCY_ERR_DECIMALS = 5,    // decimals outside 0..9
  ZK_CURRENCY_ERR_TOO_LONG = 6,    // integer part or fraction too long
};

struct CurrencyLayout {
  int intDigits = 0;             // width of the written integer part, 0..18
  int decimals = 0;              // fraction digits of the picture, 0..9; 0: never written
  std::string decimalSeparator;  // between integer part and fraction; "" for none
  std::string groupSeparator;    // between groups of three digits; "" for none
  std::string symbol;            // written after the amount; "" for none
  std::string fill;              // at most one character padding the integer part on the left
  std::string emptyText;         // stands for an empty amount, both ways
  bool fixedDecimals = false;    // write exactly `decimals` digits, not the significant ones
};

class CurrencyValue {
 public:
  // Starts empty, in the layout of "US" with 0 integer digits and 0 decimals.
  CurrencyValue();

  // Stores every field, out-of-range numbers included (error 4 or 5);
  // `fill` keeps its first character only. The amount is not touched.
  void SetLayout(int intDigits, int decimals, const std::string& decimalSeparator,
                 const std::string& groupSeparator, const std::string& symbol,
                 const std::string& fill, const std::string& emptyText, bool fixedDecimals);

  // The separators and symbol of "US", "US$", "FR" or "FR$"; any other
  // name gives error 2 and changes nothing.
  void SetCurrency(int intDigits, int decimals, const std::string& name);

  // Reads a picture such as "999,88": the "9"s, one separator, the "8"s.
  void SetFormat(const std::string& picture);

  // Reads an amount in the layout; "", the empty text or blanks give an
  // empty amount without error.
  void Parse(const std::string& text);

  // Writes the amount in the layout; the empty text for an empty amount.
  std::string Format();

  // Empties the amount; layout and error code are kept.
  void Clear();

  int Error() const { return error; }
  bool IsEmpty() const { return empty; }

  std::int64_t units = 0;     // integer part, 0 or positive
  std::int32_t fraction = 0;  // 0, or 1000000000 + the first nine fraction digits
  bool negative = false;      // the amount is below zero (or is "-0")
  bool empty = true;          // no amount is held
  CurrencyLayout layout;      // how the amount is read and written
  int error = 0;              // result code of the last operation
};
