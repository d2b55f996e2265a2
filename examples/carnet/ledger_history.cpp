// The history of changes: each step keeps what its changes replaced, inserted, erased or
// reordered, so that it can be undone and redone; the total and the count of categorised rows
// follow every change both ways. A sort keeps its order: 4 bytes a row, or runs of rows that
// stayed together when those are fewer. The oldest steps go once the history holds more than its
// budget.
#include <algorithm>

#include "ledger_intl.h"

namespace carnet {
namespace {

constexpr std::size_t kMinimumBudget = 4u << 20;

std::size_t BytesOf(const Change& change) {
  return sizeof(Change) + change.positions.capacity() * sizeof(std::uint32_t) +
         (change.rows.capacity() + change.after.capacity()) * sizeof(Row);
}

void Count(LedgerState& state, const Row& row, bool add) {
  const Amount amount = RowAmountIntl(state, row);
  if (add) {
    state.total.Add(amount);
  } else {
    state.total.Subtract(amount);
  }
  if (row.bits & kRowCategorised) state.categorised += add ? 1 : std::size_t(-1);
}

// The rows go in at `positions` (ascending, where they stand once inserted).
void InsertRows(LedgerState& state, const std::vector<std::uint32_t>& positions,
                const std::vector<Row>& rows) {
  for (const Row& row : rows) Count(state, row, true);
  std::vector<Row>& all = state.rows;
  // A few more at a time, not twice as many: a million rows would take 16 MB more at once.
  if (all.size() + rows.size() > all.capacity())
    all.reserve(all.size() + rows.size() + std::max<std::size_t>(all.size() / 16, 1024));
  if (positions.size() == 1) {
    all.insert(all.begin() + positions[0], rows[0]);
    return;
  }
  std::size_t source = all.size();
  all.resize(all.size() + rows.size());
  std::size_t target = all.size();
  for (std::size_t j = rows.size(); j > 0; --j) {
    while (target - 1 > positions[j - 1]) all[--target] = all[--source];
    all[--target] = rows[j - 1];
  }
}

// The rows at `positions` (ascending) go.
void EraseRows(LedgerState& state, const std::vector<std::uint32_t>& positions) {
  std::vector<Row>& all = state.rows;
  for (std::uint32_t position : positions) Count(state, all[position], false);
  if (positions.size() == 1) {
    all.erase(all.begin() + positions[0]);
    return;
  }
  std::size_t kept = positions[0];
  std::size_t next = 0;
  for (std::size_t i = positions[0]; i < all.size(); ++i) {
    if (next < positions.size() && positions[next] == i) {
      ++next;
      continue;
    }
    all[kept++] = all[i];
  }
  all.resize(kept);
}

std::vector<std::uint32_t> OrderOf(const Change& change) {
  if (!change.runs) return change.positions;
  std::vector<std::uint32_t> order;
  for (std::size_t i = 0; i + 1 < change.positions.size(); i += 2)
    for (std::uint32_t k = 0; k < change.positions[i + 1]; ++k)
      order.push_back(change.positions[i] + k);
  return order;
}

// Forward, the new row i is the old row order[i]; backward, the other way.
void Permute(LedgerState& state, const Change& change, bool forward) {
  const std::vector<std::uint32_t> order = OrderOf(change);
  std::vector<Row> moved(state.rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (forward) {
      moved[i] = state.rows[order[i]];
    } else {
      moved[order[i]] = state.rows[i];
    }
  }
  state.rows.swap(moved);
}

// A sort that left long runs of rows together keeps (start, length) pairs instead.
void Compress(Change& change) {
  const std::vector<std::uint32_t>& order = change.positions;
  std::vector<std::uint32_t> runs;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (!runs.empty() && runs[runs.size() - 2] + runs.back() == order[i]) {
      ++runs.back();
      continue;
    }
    if (runs.size() + 2 >= order.size()) return;
    runs.push_back(order[i]);
    runs.push_back(1);
  }
  change.positions.swap(runs);
  change.positions.shrink_to_fit();
  change.runs = true;
}

void Apply(LedgerState& state, const Change& change, bool forward) {
  std::size_t& touched = state.history.touched;
  if (change.kind == ChangeKind::Permute || change.positions.empty()) {
    touched = ~std::size_t(0);
  } else {
    const std::size_t first = *std::min_element(change.positions.begin(), change.positions.end());
    if (first <= touched) {
      touched = first;
      state.history.touchedGone = forward == (change.kind == ChangeKind::Erase);
    }
  }
  switch (change.kind) {
    case ChangeKind::Replace:
      for (std::size_t i = 0; i < change.positions.size(); ++i) {
        Row& row = state.rows[change.positions[i]];
        Count(state, row, false);
        row = forward ? change.after[i] : change.rows[i];
        Count(state, row, true);
      }
      break;
    case ChangeKind::Insert:
    case ChangeKind::Erase:
      if (forward == (change.kind == ChangeKind::Insert)) {
        InsertRows(state, change.positions, change.rows);
      } else {
        EraseRows(state, change.positions);
      }
      break;
    case ChangeKind::Permute:
      Permute(state, change, forward);
      break;
  }
}

void Forget(History& history) {
  while (history.bytes > history.budget && history.done.size() > 1) {
    history.bytes -= history.done.front().bytes;
    history.baseId = history.done.front().id;
    history.done.pop_front();
  }
}

}  // namespace

void ResetHistoryIntl(LedgerState& state) {
  state.history = History();
  state.history.budget = std::max(kMinimumBudget, state.size / 8);
}

void OpenStepIntl(LedgerState& state) {
  History& history = state.history;
  if (history.open) return;
  if (!history.undone.empty()) {
    // The steps undone can no longer come back: their lines go with them.
    state.edits.resize(history.undone.back().editsMark);
    for (const Step& step : history.undone) history.bytes -= step.bytes;
    history.undone.clear();
  }
  Step step;
  step.id = history.nextId++;
  step.editsMark = state.edits.size();
  history.done.push_back(std::move(step));
  history.open = true;
}

void CommitChangeIntl(LedgerState& state, Change&& change) {
  History& history = state.history;
  if (change.kind == ChangeKind::Permute) Compress(change);
  // A group's changes add up to one; a change alone starts afresh.
  if (history.groupDepth == 0 || history.done.back().changes.empty())
    history.touched = ~std::size_t(0);
  Apply(state, change, true);
  const bool grouped = history.groupDepth > 0;
  if (grouped && change.kind == ChangeKind::Insert) {
    ViewChangedIntl(state, true);
    for (std::uint32_t position : change.positions) ViewAppendedIntl(state, position);
  } else {
    ViewChangedIntl(state, grouped && change.kind == ChangeKind::Replace);
  }
  Step& step = history.done.back();
  const std::size_t bytes = BytesOf(change);
  step.bytes += bytes;
  history.bytes += bytes;
  step.changes.push_back(std::move(change));
}

void CloseStepIntl(LedgerState& state) {
  History& history = state.history;
  if (!history.open || history.groupDepth > 0) return;
  history.open = false;
  if (history.done.back().changes.empty()) {
    history.done.pop_back();
    return;
  }
  Forget(history);
}

void GroupBeginIntl(LedgerState& state) {
  ++state.history.groupDepth;
}

void GroupEndIntl(LedgerState& state) {
  History& history = state.history;
  if (history.groupDepth == 0 || --history.groupDepth > 0) return;
  const bool changed = history.open;
  CloseStepIntl(state);
  // Within the group the entries shown kept their numbers; now they follow the period again.
  if (changed) ViewChangedIntl(state, false);
}

bool UndoIntl(LedgerState& state) {
  History& history = state.history;
  if (history.done.empty() || history.open) return false;
  Step step = std::move(history.done.back());
  history.done.pop_back();
  history.touched = ~std::size_t(0);
  for (std::size_t i = step.changes.size(); i > 0; --i) Apply(state, step.changes[i - 1], false);
  history.undone.push_back(std::move(step));
  ViewChangedIntl(state, false);
  return true;
}

bool RedoIntl(LedgerState& state) {
  History& history = state.history;
  if (history.undone.empty() || history.open) return false;
  Step step = std::move(history.undone.back());
  history.undone.pop_back();
  history.touched = ~std::size_t(0);
  for (const Change& change : step.changes) Apply(state, change, true);
  history.done.push_back(std::move(step));
  ViewChangedIntl(state, false);
  return true;
}

}  // namespace carnet
