// Sorting the entries: each row's key is made once, the keys are sorted with the row's number
// as the last key (so equal keys keep their order, both ways), then the rows are put in order.
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
  std::int64_t units;
  std::uint32_t nanos;
  std::uint32_t row;
};

Order AmountOrder(const std::vector<Row>& rows, bool descending) {
  std::vector<AmountKey> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    keys[i] = AmountKey{rows[i].units, rows[i].nanos, static_cast<std::uint32_t>(i)};
  auto ascending = [](const AmountKey& a, const AmountKey& b) {
    if (a.units != b.units) return a.units < b.units;
    if (a.nanos != b.nanos) return a.nanos < b.nanos;
    return a.row < b.row;
  };
  auto downwards = [](const AmountKey& a, const AmountKey& b) {
    if (a.units != b.units) return a.units > b.units;
    if (a.nanos != b.nanos) return a.nanos > b.nanos;
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

// Labels: every row's collation key in one buffer, compared as bytes.
Order LabelOrder(const LedgerState& state, bool descending, Collation collation) {
  const std::vector<Row>& rows = state.rows;
  std::string keys;
  std::vector<std::size_t> starts(rows.size() + 1);
  std::string label;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    starts[i] = keys.size();
    const Row& row = rows[i];
    const char* text = RowLine(state, row) + row.labelAt;
    if (row.flags & kRowDoubledQuotes) {
      label.clear();
      AppendUnquoted(label, text, row.labelSize);
      collation(label.data(), label.size(), keys);
    } else {
      collation(text, row.labelSize, keys);
    }
  }
  starts[rows.size()] = keys.size();

  auto compare = [&](std::uint32_t a, std::uint32_t b) {
    const std::size_t sizeA = starts[a + 1] - starts[a];
    const std::size_t sizeB = starts[b + 1] - starts[b];
    const int bytes = std::memcmp(&keys[starts[a]], &keys[starts[b]], std::min(sizeA, sizeB));
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

bool SortRowsIntl(LedgerState& state, Column column, bool descending, Collation collation) {
  Order order;
  switch (column) {
    case Column::Date:
      order = DateOrder(state.rows, descending);
      break;
    case Column::Amount:
      order = AmountOrder(state.rows, descending);
      break;
    case Column::Label:
      order = LabelOrder(state, descending, collation ? collation : UserCollation);
      break;
  }
  bool moved = false;
  std::vector<Row> sorted(state.rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted[i] = state.rows[order[i]];
    moved = moved || order[i] != i;
  }
  state.rows.swap(sorted);
  return moved;
}

}  // namespace carnet
