// CurrencyValue: layouts, pictures, and exact reading and writing of amounts
// without any floating-point step.
#include "zarvik/currency_value.h"

#include <cstddef>

#include "foundation/foundation_intl.h"

namespace {

struct CurrencyName {
  const char* name;
  const char* decimalSeparator;
  const char* groupSeparator;
  const char* symbol;
};

const CurrencyName kCurrencies[] = {
    {"US", ".", "", ""},
    {"US$", ".", ",", "$"},
    {"FR", ",", "", ""},
    {"FR$", ",", ".", "euro"},
};

// The most digits an integer part may have, and the longest separator plus
// fraction, so that both fit their fields.
const std::size_t kMaxIntegerChars = 18;
const std::size_t kMaxFractionChars = 10;

// The marker digit ahead of the nine fraction digits, as a value.
const std::int32_t kFractionMarker = 1000000000;

bool EraseFirst(std::string& text, const std::string& part) {
  const std::size_t pos = text.find(part);
  if (pos == std::string::npos) return false;
  text.erase(pos, part.size());
  return true;
}

void EraseAll(std::string& text, const std::string& part) {
  std::size_t pos = 0;
  while ((pos = text.find(part, pos)) != std::string::npos) text.erase(pos, part.size());
}

void TrimSpaces(std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(text.find_last_not_of(' ') + 1);
  text.erase(0, first);
}

// The value of the leading digits of `text` (at most 18 of them by the
// callers' length checks, so it cannot overflow).
std::int64_t LeadingValue(const std::string& text) {
  std::int64_t value = 0;
  for (char c : text) {
    if (!ZK_IsDigitIntl(c)) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

CurrencyValue::CurrencyValue() {
  SetCurrency(0, 0, "US");
}

void CurrencyValue::SetLayout(int intDigits, int decimals, const std::string& decimalSeparator,
                              const std::string& groupSeparator, const std::string& symbol,
                              const std::string& fill, const std::string& emptyText,
                              bool fixedDecimals) {
  error = 0;
  if (intDigits < 0 || intDigits > 18) error = ZK_CURRENCY_ERR_INT_DIGITS;
  if (decimals < 0 || decimals > 9) error = ZK_CURRENCY_ERR_DECIMALS;
  layout.intDigits = intDigits;
  layout.decimals = decimals;
  layout.decimalSeparator = decimalSeparator;
  layout.groupSeparator = groupSeparator;
  layout.symbol = symbol;
  layout.fill = fill.substr(0, 1);
  layout.emptyText = emptyText;
  layout.fixedDecimals = fixedDecimals;
}

void CurrencyValue::SetCurrency(int intDigits, int decimals, const std::string& name) {
  error = 0;
  for (const CurrencyName& currency : kCurrencies) {
    if (name == currency.name) {
      SetLayout(intDigits, decimals, currency.decimalSeparator, currency.groupSeparator,
                currency.symbol, "", "", false);
      return;
    }
  }
  error = ZK_CURRENCY_ERR_NAME;
}

void CurrencyValue::SetFormat(const std::string& picture) {
  error = 0;
  const std::size_t separatorPos = picture.find_first_not_of('9');
  const bool hasSeparator = separatorPos != std::string::npos;
  const std::size_t intDigits = hasSeparator ? separatorPos : picture.size();
  const std::string separator = hasSeparator ? picture.substr(separatorPos, 1) : "";
  const std::string rest = hasSeparator ? picture.substr(separatorPos + 1) : picture;
  const std::size_t decimalsEnd = rest.find_first_not_of('8');
  const std::size_t decimals = decimalsEnd != std::string::npos ? decimalsEnd : rest.size();
  // A picture also clears any group separator, symbol, fill and empty text.
  SetLayout(static_cast<int>(intDigits), static_cast<int>(decimals), separator, "", "", "", "",
            false);
}

void CurrencyValue::Clear() {
  units = 0;
  fraction = 0;
  negative = false;
  empty = true;
}

void CurrencyValue::Parse(const std::string& input) {
  error = 0;
  if (input.empty() || input == layout.emptyText) {
    Clear();
    return;
  }
  std::string text = input;
  if (!layout.symbol.empty()) EraseFirst(text, layout.symbol);
  if (!layout.fill.empty()) EraseAll(text, layout.fill);
  if (!layout.groupSeparator.empty()) EraseAll(text, layout.groupSeparator);
  TrimSpaces(text);
  // Nothing but blanks, symbol and padding: no amount was typed.
  if (text.empty()) {
    Clear();
    return;
  }

  // The sign may stand anywhere ("12-").
  negative = EraseFirst(text, "-");
  EraseFirst(text, "+");

  std::string digits = text;
  if (!layout.decimalSeparator.empty())
    EraseFirst(digits, layout.decimalSeparator);
  else if (!EraseFirst(digits, "."))
    EraseFirst(digits, ",");
  for (char c : digits) {
    if (!ZK_IsDigitIntl(c)) {
      Clear();
      error = ZK_CURRENCY_ERR_NOT_DIGIT;
      return;
    }
  }

  const std::size_t separatorPos =
      layout.decimalSeparator.empty() ? 0 : text.find(layout.decimalSeparator);
  if (separatorPos != std::string::npos && separatorPos >= 1) {
    if (separatorPos > kMaxIntegerChars) {
      Clear();
      error = ZK_CURRENCY_ERR_TOO_LONG;
      return;
    }
    if (text.size() - separatorPos > kMaxFractionChars) {
      // Too many fraction digits leave a zero amount, not an empty one.
      Clear();
      error = ZK_CURRENCY_ERR_TOO_LONG;
      empty = false;
      return;
    }
    units = LeadingValue(text.substr(0, separatorPos));
    const std::string marked =
        "1" + text.substr(separatorPos + layout.decimalSeparator.size()) + "0000000000";
    const std::int32_t value = static_cast<std::int32_t>(LeadingValue(marked.substr(0, 10)));
    fraction = value == kFractionMarker ? 0 : value;
    empty = false;
    return;
  }

  // No separator, or one in front: the fraction, if any, is not read.
  if (text.size() > kMaxIntegerChars) {
    Clear();
    error = ZK_CURRENCY_ERR_TOO_LONG;
    return;
  }
  units = LeadingValue(text);
  fraction = 0;
  empty = false;
}

std::string CurrencyValue::Format() {
  error = 0;
  if (empty) return layout.emptyText;

  const std::string digits = (negative ? "-" : "") + std::to_string(units);
  // A width from an out-of-range layout below zero writes no integer part.
  const int signedWidth = layout.intDigits + (negative ? 1 : 0);
  const std::size_t width = signedWidth > 0 ? static_cast<std::size_t>(signedWidth) : 0;
  std::string text;
  if (!layout.fill.empty()) text.assign(50, layout.fill[0]);
  text += digits;
  if (text.size() > width) {
    // Losing padding is not a cut: only lost digits or sign are.
    if (digits.size() > width) error = ZK_CURRENCY_ERR_CUT;
    text.erase(0, text.size() - width);
  }

  if (!layout.groupSeparator.empty()) {
    // Positions count on the text before insertion; inserting from the
    // right keeps the ones to the left valid.
    for (std::ptrdiff_t pos = static_cast<std::ptrdiff_t>(text.size()) - 3; pos > 0; pos -= 3) {
      if (ZK_IsDigitIntl(text[static_cast<std::size_t>(pos) - 1]))
        text.insert(static_cast<std::size_t>(pos), layout.groupSeparator);
    }
  }

  // decimals below zero come only from a refused layout: no fraction then.
  if (layout.decimals > 0 && fraction != 0) {
    text += layout.decimalSeparator;
    std::string marked = std::to_string(fraction);
    if (layout.fixedDecimals) {
      marked += "000000000000";
      const std::size_t keep = static_cast<std::size_t>(layout.decimals) + 1;
      if (marked.size() > keep) marked.resize(keep);
    } else {
      marked.erase(marked.find_last_not_of('0') + 1);
    }
    if (!marked.empty()) marked.erase(0, 1);
    text += marked;
  }

  if (!layout.symbol.empty()) text += " " + layout.symbol;
  return text;
}
