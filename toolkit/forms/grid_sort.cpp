// Sorting the rows a grid holds by one column, on its type: dates in time order, amounts exactly,
// texts in the user's collation (LCMapStringA sort keys). Each cell's key is read once, then the
// keys are sorted with the row's number as the last key, so that equal values keep their order
// both ways: n log n comparisons of ready keys.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

// Dates and amounts as one ordered pair of numbers; an empty or unreadable cell sorts first.
struct NumberKey {
  std::int64_t high;
  std::int64_t low;
  std::uint32_t row;
};

NumberKey dateKey(DateValue& date, std::string_view cell, std::uint32_t row) {
  date.Parse(std::string(cell));
  if (date.Error() != 0) return {std::numeric_limits<std::int64_t>::min(), 0, row};
  return {date.seconds, 0, row};
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

std::vector<std::uint32_t> orderByNumbers(ZK_Grid& grid, std::size_t column, bool descending) {
  const ZK_GridColumn& c = grid.columns[column];
  const std::size_t count = grid.rows.Count();
  std::vector<NumberKey> keys;
  keys.reserve(count);
  DateValue date;
  date.SetFormat(c.field.format);
  CurrencyValue amount;
  amount.SetFormat(c.field.format);
  // A date is read through the C runtime's local time, microseconds each; a ledger's dates repeat
  // (a million rows hold some ten thousand days), so each text is read once. The views stay valid:
  // the rows do not change until the sort is done.
  std::unordered_map<std::string_view, NumberKey> dates;
  for (std::size_t row = 0; row < count; ++row) {
    const std::string_view cell = grid.rows.Cell(row, c.slot);
    const auto number = static_cast<std::uint32_t>(row);
    if (c.field.type != ZK_DATE) {
      keys.push_back(amountKey(amount, cell, number));
      continue;
    }
    const auto known = dates.find(cell);
    NumberKey key = known != dates.end() ? known->second : dateKey(date, cell, number);
    if (known == dates.end()) dates.emplace(cell, key);
    key.row = number;
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end(), [descending](const NumberKey& a, const NumberKey& b) {
    if (a.high != b.high) return descending ? a.high > b.high : a.high < b.high;
    if (a.low != b.low) return descending ? a.low > b.low : a.low < b.low;
    return a.row < b.row;
  });
  std::vector<std::uint32_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = keys[i].row;
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
  std::vector<std::uint32_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = keys[i].row;
  return order;
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
    const std::vector<std::uint32_t> order = grid.columns[index].field.type == ZK_STRING
                                                 ? orderByTexts(grid, index, descending)
                                                 : orderByNumbers(grid, index, descending);
    grid.rows.Reorder(order);
    if (grid.row >= 0) {
      const auto current =
          std::find(order.begin(), order.end(), static_cast<std::uint32_t>(grid.row));
      const int row = static_cast<int>(current - order.begin());
      grid.row = -1;
      ZK_GridMoveIntl(grid, row, grid.column, nullptr);
    }
  }
  if (grid.list != nullptr) {
    ZK_GridColumnShowIntl(grid, column);
    InvalidateRect(grid.list, nullptr, TRUE);
  }
}
