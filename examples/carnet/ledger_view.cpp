// The entries shown: a period's rows, the running balance through sums kept every
// kBalanceSpan entries, Find over the labels with case and accents folded away, and the
// categories with their totals.
#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "entry_date.h"
#include "ledger_intl.h"

namespace carnet {
namespace {

// Adds a batch of rows to `total`. Thousandths are split at 2^20 rather than divided by 1000
// row by row: each part's sum stays far within 64 bits for a batch, and one division per batch
// puts them back together.
class BatchSum {
 public:
  void Add(const LedgerState& state, const Row& row) {
    if (row.bits & kRowWideAmount) {
      const Amount amount = RowAmountIntl(state, row);
      units_ += amount.units;
      nanos_ += amount.nanos;
      return;
    }
    const std::int64_t low =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(row.milli) & (kSplit - 1));
    high_ += (row.milli - low) / kSplit;
    low_ += low;
  }
  void AddTo(AmountTotal& total) {
    // high * 2^20 thousandths = high * 1048 units + high * 576 thousandths.
    const std::int64_t thousandths = high_ * 576 + low_;
    std::int64_t units = units_ + high_ * 1048 + thousandths / 1000;
    std::int64_t rest = thousandths % 1000;
    if (rest < 0) {
      --units;
      rest += 1000;
    }
    total.AddSums(units, nanos_ + rest * 1000000);
    *this = BatchSum();
  }

 private:
  static constexpr std::int64_t kSplit = 1 << 20;
  std::int64_t high_ = 0;  // below 2^40 a row: 10^18 thousandths / 2^20
  std::int64_t low_ = 0;
  std::int64_t units_ = 0;  // of the rows with more decimals
  std::int64_t nanos_ = 0;
};

// The sums of the entries shown, made again after a change up to the span of `entry` (all of
// them for ShownCountIntl), from where they were left.
void MakeSums(const LedgerState& state, std::size_t entry) {
  const View& view = state.view;
  if (!view.sumsValid) {
    view.sums.clear();
    view.sumsEnd = AmountTotal();
    view.sumsValid = true;
  }
  const std::size_t count = ShownCountIntl(state);
  const std::size_t end = std::min(count, (entry / kBalanceSpan + 1) * kBalanceSpan);
  BatchSum batch;
  for (std::size_t start = view.sums.size() * kBalanceSpan; start < end; start += kBalanceSpan) {
    view.sums.push_back(view.sumsEnd);
    const std::size_t stop = std::min(count, start + kBalanceSpan);
    if (view.filtered) {
      for (std::size_t i = start; i < stop; ++i) batch.Add(state, state.rows[view.rows[i]]);
    } else {
      for (std::size_t i = start; i < stop; ++i) batch.Add(state, state.rows[i]);
    }
    batch.AddTo(view.sumsEnd);
  }
}

// Sorted in the user's collation, each name once.
template <typename Item, typename Name>
void SortByName(std::vector<Item>& items, Name name) {
  std::vector<std::pair<std::string, std::size_t>> keys;
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::string key;
    const std::string& text = name(items[i]);
    UserCollation(text.data(), text.size(), key);
    key.push_back('\0');  // then the bytes, so that equal keys keep one order
    key += text;
    keys.emplace_back(std::move(key), i);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<Item> sorted;
  for (const auto& key : keys) sorted.push_back(std::move(items[key.second]));
  items.swap(sorted);
}

}  // namespace

std::size_t ShownCountIntl(const LedgerState& state) {
  return state.view.filtered ? state.view.rows.size() : state.rows.size();
}

std::uint32_t ShownRowIntl(const LedgerState& state, std::size_t entry) {
  return state.view.filtered ? state.view.rows[entry] : static_cast<std::uint32_t>(entry);
}

void ViewChangedIntl(LedgerState& state, bool keep) {
  View& view = state.view;
  view.sumsValid = false;
  view.categoriesValid = false;
  if (!view.filtered || keep) return;
  view.rows.clear();
  for (std::size_t i = 0; i < state.rows.size(); ++i) {
    const int days = state.rows[i].days;
    if (days >= view.first && days <= view.last) view.rows.push_back(static_cast<std::uint32_t>(i));
  }
}

void ViewAppendedIntl(LedgerState& state, std::uint32_t position) {
  View& view = state.view;
  const int days = state.rows[position].days;
  if (view.filtered && days >= view.first && days <= view.last) view.rows.push_back(position);
}

AmountTotal BalanceIntl(const LedgerState& state, std::size_t entry) {
  MakeSums(state, entry);
  AmountTotal balance = state.view.sums[entry / kBalanceSpan];
  BatchSum batch;
  for (std::size_t i = entry / kBalanceSpan * kBalanceSpan; i <= entry; ++i)
    batch.Add(state, state.rows[ShownRowIntl(state, i)]);
  batch.AddTo(balance);
  return balance;
}

AmountTotal ShownTotalIntl(const LedgerState& state) {
  if (!state.view.filtered) return state.total;
  MakeSums(state, ShownCountIntl(state));
  return state.view.sumsEnd;
}

const unsigned char* FindFoldIntl() {
  static const struct Table {
    Table() { PlatformFoldTable(fold); }
    unsigned char fold[256];
  } table;
  return table.fold;
}

std::size_t Ledger::ChangedEntry() const {
  const LedgerState& state = *state_;
  const std::size_t row = state.history.touched;
  const bool gone = state.history.touchedGone;
  if (row == kNoEntry || Count() == 0) return kNoEntry;
  // Where rows went, the entry now there, or the last one when they were the last.
  std::size_t entry = row;
  if (state.view.filtered) {
    const std::vector<std::uint32_t>& shown = state.view.rows;
    const auto at = std::lower_bound(shown.begin(), shown.end(), row);
    if (!gone && (at == shown.end() || *at != row)) return kNoEntry;
    entry = static_cast<std::size_t>(at - shown.begin());
  }
  return entry < Count() ? entry : gone ? Count() - 1 : kNoEntry;
}

Result Ledger::SetPeriod(const std::string& first, const std::string& last) {
  int from = 0;
  int to = kMonthStarts[kYears - 1][12] - 1;
  if (!first.empty() && !ParseDate(first, from))
    return FieldErrorIntl(ErrorKind::BadDate, Column::Date);
  if (!last.empty() && !ParseDate(last, to))
    return FieldErrorIntl(ErrorKind::BadDate, Column::Date);
  if (from > to) return FieldErrorIntl(ErrorKind::BadPeriod, Column::Date);
  View& view = state_->view;
  view.filtered = true;
  view.first = from;
  view.last = to;
  ViewChangedIntl(*state_, false);
  return Result();
}

void Ledger::ClearPeriod() {
  View& view = state_->view;
  view.filtered = false;
  std::vector<std::uint32_t>().swap(view.rows);
  ViewChangedIntl(*state_, false);
}

bool Ledger::Filtered() const {
  return state_->view.filtered;
}

std::size_t Ledger::Find(const std::string& text, std::size_t from, bool forward) const {
  const std::size_t count = Count();
  const unsigned char* fold = FindFoldIntl();
  std::string needle;
  for (char c : text)
    if (const unsigned char folded = fold[static_cast<unsigned char>(c)]) needle += char(folded);
  if (needle.empty() || count == 0) return kNoEntry;
  if (from >= count) from = forward ? 0 : count - 1;
  std::string label;
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t entry =
        forward ? (from + step) % count : (from + count - step % count) % count;
    const Row& row = state_->rows[ShownRowIntl(*state_, entry)];
    Field fields[4];
    RowFieldsIntl(*state_, row, fields);
    label.clear();
    for (char c : FieldTextIntl(*state_, fields[1]))
      if (const unsigned char folded = fold[static_cast<unsigned char>(c)]) label += char(folded);
    if (label.find(needle) != std::string::npos) return entry;
  }
  return kNoEntry;
}

std::vector<std::string> Ledger::Categories() const {
  View& view = state_->view;
  if (view.categoriesValid) return view.categories;
  std::vector<std::string> names;
  // The walk compares the fields' bytes as they are in the file; each category is made into
  // its text once (two spellings may still give one text: a character 1252 lacks).
  std::unordered_set<std::string_view> spellings;
  std::unordered_set<std::string> seen;
  Field fields[4];
  // A ledger without categories, the usual case, is not walked.
  for (std::size_t i = 0; i < state_->rows.size() && state_->categorised > 0; ++i) {
    const Row& row = state_->rows[i];
    if (!(row.bits & kRowCategorised)) continue;
    RowFieldsIntl(*state_, row, fields);
    const std::string_view bytes(fields[3].begin,
                                 static_cast<std::size_t>(fields[3].end - fields[3].begin));
    if (!spellings.insert(bytes).second) continue;
    std::string name = FieldTextIntl(*state_, fields[3]);
    if (seen.insert(name).second) names.push_back(std::move(name));
  }
  SortByName(names, [](const std::string& name) -> const std::string& { return name; });
  view.categories = names;
  view.categoriesValid = true;
  return names;
}

std::vector<CategoryTotal> Ledger::CategoryTotals() const {
  struct Sum {
    std::size_t count = 0;
    AmountTotal total;
  };
  std::unordered_map<std::string, Sum> sums;
  Field fields[4];
  const std::size_t count = Count();
  for (std::size_t entry = 0; entry < count; ++entry) {
    const Row& row = state_->rows[ShownRowIntl(*state_, entry)];
    std::string name;
    if (row.bits & kRowCategorised) {
      RowFieldsIntl(*state_, row, fields);
      name = FieldTextIntl(*state_, fields[3]);
    }
    Sum& sum = sums[name];
    ++sum.count;
    sum.total.Add(RowAmountIntl(*state_, row));
  }
  std::vector<CategoryTotal> totals;
  for (const auto& sum : sums) {
    CategoryTotal total;
    total.name = sum.first;
    total.count = sum.second.count;
    total.total = sum.second.total.Text();
    totals.push_back(std::move(total));
  }
  SortByName(totals, [](const CategoryTotal& total) -> const std::string& { return total.name; });
  return totals;
}

}  // namespace carnet
