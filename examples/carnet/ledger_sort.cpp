// Sorting the entries: each row's key is made once, the keys are sorted with the row's number
// as the last key (so equal keys keep their order, both ways); the history puts the rows in that
// order, and keeps it to undo the sort.
#include <algorithm>
#include <cstring>

#include "entry_label.h"
#include "ledger_intl.h"

namespace carnet {
namespace {

using Order = std::vector<std::uint32_t>;

// Dates: the day and the row's number in one 64-bit key.
Order DateOrder(const std::vector<Row>& rows, bool descending) {
  std::vector<std::uint64_t> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::uint64_t day = descending ? 0xFFFFu - rows[i].days : rows[i].days;
    keys[i] = day << 32 | i;
  }
  std::sort(keys.begin(), keys.end());
  Order order(rows.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<std::uint32_t>(keys[i]);
  return order;
}

struct AmountKey {
  std::int64_t high;  // thousandths, or whole units when some amount has more decimals
  std::uint32_t low;  // then billionths
  std::uint32_t row;
};

Order AmountOrder(const LedgerState& state, bool descending) {
  const std::vector<Row>& rows = state.rows;
  bool wide = false;
  for (const Row& row : rows) wide = wide || (row.bits & kRowWideAmount);
  std::vector<AmountKey> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::uint32_t row = static_cast<std::uint32_t>(i);
    if (wide) {
      const Amount amount = RowAmountIntl(state, rows[i]);
      keys[i] = AmountKey{amount.units, amount.nanos, row};
    } else {
      keys[i] = AmountKey{rows[i].milli, 0, row};
    }
  }
  auto ascending = [](const AmountKey& a, const AmountKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return a.row < b.row;
  };
  auto downwards = [](const AmountKey& a, const AmountKey& b) {
    if (a.high != b.high) return a.high > b.high;
    if (a.low != b.low) return a.low > b.low;
    return a.row < b.row;
  };
  if (descending) {
    std::sort(keys.begin(), keys.end(), downwards);
  } else {
    std::sort(keys.begin(), keys.end(), ascending);
  }
  Order order(rows.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].row;
  return order;
}

// Labels and categories: every row's collation key in one buffer, compared as bytes.
Order TextOrder(const LedgerState& state, int field, bool descending, Collation collation) {
  const std::vector<Row>& rows = state.rows;
  std::string keys;
  std::vector<std::size_t> starts(rows.size() + 1);
  Field fields[4];
  for (std::size_t i = 0; i < rows.size(); ++i) {
    starts[i] = keys.size();
    if (RowFieldsIntl(state, rows[i], fields) <= field) continue;
    const Field& text = fields[field];
    if (!text.doubled && state.encoding == Encoding::Windows1252) {
      collation(text.begin, static_cast<std::size_t>(text.end - text.begin), keys);
    } else {
      const std::string shown = FieldTextIntl(state, text);
      collation(shown.data(), shown.size(), keys);
    }
  }
  starts[rows.size()] = keys.size();

  auto compare = [&](std::uint32_t a, std::uint32_t b) {
    const std::size_t sizeA = starts[a + 1] - starts[a];
    const std::size_t sizeB = starts[b + 1] - starts[b];
    const int bytes =
        std::memcmp(keys.data() + starts[a], keys.data() + starts[b], std::min(sizeA, sizeB));
    return bytes != 0 ? bytes : (sizeA < sizeB ? -1 : sizeA > sizeB ? 1 : 0);
  };
  Order order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const int keyOrder = compare(a, b);
    if (keyOrder != 0) return descending ? keyOrder > 0 : keyOrder < 0;
    return a < b;
  });
  return order;
}

}  // namespace

void ByteCollation(const char* text, std::size_t size, std::string& key) {
  key.append(text, size);
}

std::vector<std::uint32_t> SortOrderIntl(const LedgerState& state, Column column, bool descending,
                                         Collation collation) {
  if (collation == nullptr) collation = UserCollation;
  switch (column) {
    case Column::Date:
      return DateOrder(state.rows, descending);
    case Column::Amount:
      return AmountOrder(state, descending);
    case Column::Label:
      return TextOrder(state, 1, descending, collation);
    case Column::Category:
      return TextOrder(state, 3, descending, collation);
  }
  return Order();
}

}  // namespace carnet
