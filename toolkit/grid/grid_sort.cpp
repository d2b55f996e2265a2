// Sorting the rows a grid holds by one column, on its type's sort key: dates in time order,
// amounts exactly, texts in the user's collation (LCMapStringA sort keys). Each cell's key is read
// once, then the keys are sorted with the row's number as the last key, so that equal values keep
// their order both ways. Dates and amounts become ranks of 32 bits at most, sorted by counting
// their digits in a few passes; texts take n log n comparisons of ready keys. A date's key is
// counted from its components, without the C runtime's local time (microseconds a call under some
// runtimes).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>

#include "foundation/clock.h"
#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

// Dates and amounts as one ordered pair of numbers; an empty or unreadable cell sorts first.
struct NumberKey {
  std::int64_t high;
  std::int64_t low;
  std::uint32_t row;
};

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar; a day past the month's end
// runs into the next month, as the local-time conversion normalises it.
std::int64_t daysFrom1970(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468 + (day - 1);
}

// The date's local moment as a count that orders as time does; unreadable, empty and refused
// dates (as DateValue refuses them) sort first.
// Today, read once and only when a date leaves out its year or month.
class Today {
 public:
  const std::tm& get() {
    if (!read_) read_ = ZK_LocalTimeIntl(ZK_ClockNowIntl(), today_) || true;
    return today_;
  }

 private:
  bool read_ = false;
  std::tm today_{};
};

NumberKey dateKey(const ZK_DateReader& reader, Today& today, std::string_view cell,
                  std::uint32_t row) {
  constexpr NumberKey kFirst = {std::numeric_limits<std::int64_t>::min(), 0, 0};
  if (cell.empty()) return {kFirst.high, 0, row};
  ZK_DateFields f = reader.Read(cell);
  if (f.year == 0) f.year = today.get().tm_year + 1900;
  if (f.month == 0) f.month = today.get().tm_mon + 1;
  if (ZK_DateRangeErrorIntl(f) != 0) return {kFirst.high, 0, row};
  const std::int64_t moment =
      daysFrom1970(f.year, f.month, f.day) * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
  // Past what the 32-bit count holds (19 January 2038).
  if (moment > std::numeric_limits<std::int32_t>::max()) return {kFirst.high, 0, row};
  return {moment, 0, row};
}

// Whole units and the fraction's marked digits, both signed: -1,5 < -1,2 < -0 = 0 < 0,5.
NumberKey amountKey(CurrencyValue& amount, std::string_view cell, std::uint32_t row) {
  amount.Parse(std::string(cell));
  if (amount.Error() != 0 || amount.IsEmpty())
    return {std::numeric_limits<std::int64_t>::min(), 0, row};
  const std::int64_t units = amount.negative ? -amount.units : amount.units;
  const std::int64_t fraction = amount.negative ? -amount.fraction : amount.fraction;
  return {units, fraction, row};
}

// One ordered number and the row: an amount in billionths, or a date's moment.
struct NarrowKey {
  std::int64_t value;
  std::uint32_t row;
};

template <typename Key>
std::vector<std::uint32_t> orderOf(const std::vector<Key>& keys) {
  std::vector<std::uint32_t> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].row;
  return order;
}

// Amounts in full: whole units and marked fraction apart.
std::vector<std::uint32_t> orderByWideAmounts(ZK_Grid& grid, std::size_t column, bool descending) {
  const ZK_GridColumn& c = grid.columns[column];
  const std::size_t count = grid.rows.Count();
  std::vector<NumberKey> keys;
  keys.reserve(count);
  CurrencyValue amount;
  amount.SetFormat(c.field.format);
  for (std::size_t row = 0; row < count; ++row) {
    NumberKey key = amountKey(amount, grid.rows.Cell(row, c.slot), static_cast<std::uint32_t>(row));
    // Downwards, the values' complements upwards: one comparison without a branch on the way.
    if (descending) {
      key.high = ~key.high;
      key.low = ~key.low;
    }
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end(), [](const NumberKey& a, const NumberKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return a.row < b.row;
  });
  return orderOf(keys);
}

// The plain form of an amount, an optional "-", 1 to 18 digits, then the separator and 1 to 9
// digits: the units and billionths CurrencyValue::Parse reads from it, without its copies, and
// the number of fraction digits written. False for any other text, which goes to Parse.
bool plainAmount(std::string_view cell, char separator, bool* negative, std::int64_t* units,
                 std::int64_t* billionths, int* digits) {
  std::size_t at = 0;
  *negative = !cell.empty() && cell[0] == '-';
  if (*negative) ++at;
  const std::size_t first = at;
  std::int64_t whole = 0;
  for (; at < cell.size() && ZK_IsDigitIntl(cell[at]); ++at) whole = whole * 10 + (cell[at] - '0');
  if (at == first || at - first > 18) return false;
  std::int64_t part = 0;
  std::size_t written = 0;
  if (at < cell.size()) {
    if (separator == 0 || cell[at] != separator) return false;
    written = cell.size() - at - 1;
    if (written == 0 || written > 9) return false;
    for (std::size_t i = at + 1; i < cell.size(); ++i) {
      if (!ZK_IsDigitIntl(cell[i])) return false;
      part = part * 10 + (cell[i] - '0');
    }
    for (std::size_t i = written; i < 9; ++i) part *= 10;
  }
  *units = whole;
  *billionths = part;
  *digits = static_cast<int>(written);
  return true;
}

// Amounts whose whole part stays below this fit one 64-bit count of billionths.
constexpr std::int64_t kNarrowUnits = 9000000000;
// The key of an empty or unreadable cell: before every other.
constexpr std::int64_t kUnread = std::numeric_limits<std::int64_t>::min();

// The narrow key of an amount, in billionths, and the fraction digits it needs; false when it
// needs the wide one.
bool narrowAmount(CurrencyValue& amount, char separator, std::string_view cell, std::int64_t* value,
                  int* digits) {
  bool negative = false;
  std::int64_t units = 0;
  std::int64_t billionths = 0;
  if (!plainAmount(cell, separator, &negative, &units, &billionths, digits)) {
    const NumberKey wide = amountKey(amount, cell, 0);
    if (wide.high == kUnread) {
      *value = kUnread;
      *digits = 0;
      return true;
    }
    negative = wide.high < 0 || wide.low < 0;
    units = negative ? -wide.high : wide.high;
    const std::int64_t marked = negative ? -wide.low : wide.low;
    billionths = marked == 0 ? 0 : marked - 1000000000;
    *digits = 9;
    for (std::int64_t rest = billionths; rest % 10 == 0 && *digits > 0; rest /= 10) --*digits;
  }
  if (units >= kNarrowUnits) return false;
  const std::int64_t magnitude = units * 1000000000 + billionths;
  *value = negative ? -magnitude : magnitude;
  return true;
}

// Row i of the sorted grid is the row that was at order[i]; a key holds the row's number in its low
// 32 bits and its rank among the values above them.
std::vector<std::uint32_t> rowsOf(const std::vector<std::uint64_t>& keys) {
  std::vector<std::uint32_t> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<std::uint32_t>(keys[i]);
  return order;
}

// Sorts keys whose ranks have `bits` bits and whose rows ascend. Keys already in order, or in the
// reverse order (the other way of the last sort), take one pass. Else least significant digit
// first: each pass keeps the order of equal digits, so equal ranks keep their rows' order; a few
// passes over the keys instead of n log n comparisons, the last one writing the rows alone.
std::vector<std::uint32_t> sortByRanks(std::vector<std::uint64_t>& keys, unsigned bits) {
  constexpr unsigned kMaxDigit = 11;  // a pass's counts stay in the processor's first cache
  constexpr unsigned kMaxPasses = 3;  // 32 bits
  const std::size_t count = keys.size();
  if (std::is_sorted(keys.begin(), keys.end())) return rowsOf(keys);
  // Rows ascend within equal ranks: keys that fall all the way have distinct ranks.
  if (std::is_sorted(keys.rbegin(), keys.rend())) {
    std::reverse(keys.begin(), keys.end());
    return rowsOf(keys);
  }
  if (count < (std::size_t{1} << kMaxDigit)) {
    std::sort(keys.begin(), keys.end());
    return rowsOf(keys);
  }
  const unsigned passes = (bits + kMaxDigit - 1) / kMaxDigit;
  const unsigned width = (bits + passes - 1) / passes;
  const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
  std::uint32_t counts[kMaxPasses][std::size_t{1} << kMaxDigit] = {};
  for (const std::uint64_t key : keys)
    for (unsigned pass = 0; pass < passes; ++pass)
      ++counts[pass][(key >> (32 + pass * width)) & mask];
  for (unsigned pass = 0; pass < passes; ++pass) {
    std::uint32_t sum = 0;
    for (std::size_t digit = 0; digit <= mask; ++digit) {
      const std::uint32_t here = counts[pass][digit];
      counts[pass][digit] = sum;
      sum += here;
    }
  }
  std::vector<std::uint64_t> other(passes > 1 ? count : 0);
  std::vector<std::uint32_t> order(count);
  std::uint64_t* from = keys.data();
  std::uint64_t* to = other.data();
  for (unsigned pass = 0; pass < passes; ++pass) {
    std::uint32_t* const next = counts[pass];
    const unsigned shift = 32 + pass * width;
    if (pass + 1 == passes) {
      for (std::size_t i = 0; i < count; ++i)
        order[next[(from[i] >> shift) & mask]++] = static_cast<std::uint32_t>(from[i]);
    } else {
      for (std::size_t i = 0; i < count; ++i) to[next[(from[i] >> shift) & mask]++] = from[i];
      std::swap(from, to);
    }
  }
  return order;
}

// x / d for an x that d divides: d's power of 2 shifted out, then the product with the inverse of
// its odd part modulo 2^64, which is exact for such an x (no division a row).
class ExactDivisor {
 public:
  explicit ExactDivisor(std::uint64_t divisor) {
    for (; (divisor & 1) == 0; divisor >>= 1) ++shift_;
    inverse_ = divisor;  // right to 3 bits; each step doubles them
    for (int i = 0; i < 5; ++i) inverse_ *= 2 - divisor * inverse_;
  }
  std::uint64_t divide(std::uint64_t x) const { return (x >> shift_) * inverse_; }

 private:
  unsigned shift_ = 0;
  std::uint64_t inverse_ = 1;
};

// Dates, and amounts that fit: one number a row, read once into the keys, then ranked from the
// smallest in the unit they all share (a day, a second, the smallest fraction written), unreadable
// cells first at rank 0, and sorted on the ranks when they fit 32 bits, as they do for every date
// and for amounts of up to 9 digits in that unit; on the numbers else.
std::vector<std::uint32_t> orderByNumbers(ZK_Grid& grid, std::size_t column, bool descending) {
  const ZK_GridColumn& c = grid.columns[column];
  const std::size_t count = grid.rows.Count();
  // The memory of the last sort's keys, when kept: a header clicked again and again sorts in the
  // same pages instead of fresh ones.
  std::vector<std::uint64_t> keys;
  keys.swap(ZK_GridStateIntl().sortKeys);
  keys.resize(count);
  CurrencyValue amount;
  amount.SetFormat(c.field.format);
  const char separator =
      amount.layout.decimalSeparator.size() == 1 ? amount.layout.decimalSeparator[0] : 0;
  const ZK_DateReader dates(c.field.format);
  Today today;
  const bool byDate = c.type != nullptr && c.type->sortKey == ZK_SortKey::kDate;
  std::int64_t low = std::numeric_limits<std::int64_t>::max();
  std::int64_t high = kUnread;
  int digits = 0;         // the most fraction digits an amount needs
  bool wholeDays = true;  // no date with a time of day
  for (std::size_t row = 0; row < count; ++row) {
    const std::string_view cell = grid.rows.Cell(row, c.slot);
    std::int64_t value = 0;
    if (byDate) {
      value = dateKey(dates, today, cell, 0).high;
    } else {
      int needs = 0;
      if (!narrowAmount(amount, separator, cell, &value, &needs))
        return orderByWideAmounts(grid, column, descending);
      digits = std::max(digits, needs);
    }
    keys[row] = static_cast<std::uint64_t>(value);
    if (value != kUnread) {
      if (byDate) wholeDays = wholeDays && value % 86400 == 0;
      low = std::min(low, value);
      high = std::max(high, value);
    }
  }
  std::uint64_t divisor = byDate && wholeDays ? 86400 : 1;
  for (int i = digits; !byDate && i < 9; ++i) divisor *= 10;
  const ExactDivisor scale(divisor);
  const std::uint64_t top =
      high == kUnread
          ? 0
          : scale.divide(static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low)) + 1;
  if (top > std::numeric_limits<std::uint32_t>::max()) {
    // Too far apart for ranks: the numbers themselves, downwards as their complements.
    std::vector<NarrowKey> wide(count);
    for (std::size_t row = 0; row < count; ++row) {
      const auto value = static_cast<std::int64_t>(keys[row]);
      wide[row] = {descending ? ~value : value, static_cast<std::uint32_t>(row)};
    }
    std::vector<std::uint64_t>().swap(keys);
    std::sort(wide.begin(), wide.end(), [](const NarrowKey& a, const NarrowKey& b) {
      return a.value != b.value ? a.value < b.value : a.row < b.row;
    });
    return orderOf(wide);
  }
  for (std::size_t row = 0; row < count; ++row) {
    const auto value = static_cast<std::int64_t>(keys[row]);
    const std::uint64_t rank =
        value == kUnread
            ? 0
            : scale.divide(static_cast<std::uint64_t>(value) - static_cast<std::uint64_t>(low)) + 1;
    // Downwards, ranks counted from the top: equal values still keep their rows' order.
    keys[row] = ((descending ? top - rank : rank) << 32) | row;
  }
  unsigned bits = 0;
  while (bits < 32 && (top >> bits) != 0) ++bits;
  std::vector<std::uint32_t> order = sortByRanks(keys, bits);
  constexpr std::size_t kKeptKeys = 128 * 1024;  // 1 MiB
  if (keys.capacity() <= kKeptKeys) ZK_GridStateIntl().sortKeys.swap(keys);
  return order;
}

// Texts: the sort keys of all cells one after the other in one buffer.
std::vector<std::uint32_t> orderByTexts(ZK_Grid& grid, std::size_t column, bool descending) {
  const std::size_t slot = grid.columns[column].slot;
  const std::size_t count = grid.rows.Count();
  struct TextKey {
    std::size_t offset;
    std::size_t size;
    std::uint32_t row;
  };
  std::vector<TextKey> keys;
  keys.reserve(count);
  std::string bytes;
  for (std::size_t row = 0; row < count; ++row) {
    const std::string_view cell = grid.rows.Cell(row, slot);
    const std::size_t offset = bytes.size();
    const int length = static_cast<int>(std::min<std::size_t>(cell.size(), 0x7FFFFFF));
    const int size = length == 0 ? 0
                                 : LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, cell.data(),
                                                length, nullptr, 0);
    if (size > 0) {
      bytes.resize(offset + static_cast<std::size_t>(size));
      LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, cell.data(), length, &bytes[offset], size);
    }
    keys.push_back({offset, bytes.size() - offset, static_cast<std::uint32_t>(row)});
  }
  const char* base = bytes.data();
  std::sort(keys.begin(), keys.end(), [base, descending](const TextKey& a, const TextKey& b) {
    const int compared = std::memcmp(base + a.offset, base + b.offset, std::min(a.size, b.size));
    const int order = compared != 0 ? compared : (a.size < b.size ? -1 : (a.size > b.size ? 1 : 0));
    if (order != 0) return descending ? order > 0 : order < 0;
    return a.row < b.row;
  });
  return orderOf(keys);
}

}  // namespace

void ZK_GridSortIntl(ZK_Grid& grid, int column, bool descending) {
  if (column < 0 || column >= static_cast<int>(grid.columns.size())) return;
  const auto index = static_cast<std::size_t>(column);
  grid.sortColumn = grid.columns[index].name;
  grid.descending = descending;
  if (grid.cellProc == nullptr && grid.rows.Count() > 1) {
    // An open edit belongs to a row that is about to move: it ends first.
    if (grid.editor != nullptr) ZK_GridEditCancelIntl(grid);
    const ZK_DataType* type = grid.columns[index].type;
    const bool text = type == nullptr || type->sortKey == ZK_SortKey::kText;
    std::vector<std::uint32_t> order =
        text ? orderByTexts(grid, index, descending) : orderByNumbers(grid, index, descending);
    const int current = grid.row < 0
                            ? -1
                            : static_cast<int>(std::find(order.begin(), order.end(),
                                                         static_cast<std::uint32_t>(grid.row)) -
                                               order.begin());
    grid.rows.Reorder(std::move(order));
    if (current >= 0) {
      grid.row = -1;
      ZK_GridMoveIntl(grid, current, grid.column, nullptr);
    }
  }
  if (grid.list != nullptr) {
    ZK_GridColumnShowIntl(grid, column);
    ZK_GridRowsRepaintIntl(grid);
  }
}
