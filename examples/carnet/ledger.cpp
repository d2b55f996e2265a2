// The ledger model: opening and saving as whole steps under the file's lock, the entries' texts,
// edits checked as the reader checks lines and written in the file's own form, and the totals.
#include "ledger.h"

#include <algorithm>
#include <cstring>

#include "entry_date.h"
#include "entry_encoding.h"
#include "entry_label.h"
#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

// An entry's fields; the label and the category unquoted, in the file's encoding.
struct Fields {
  int days = 0;
  std::string label;
  Amount amount;
  std::string category;
};

void AppendRaw(std::string& out, const Field& field) {
  if (field.doubled) {
    AppendUnquoted(out, field.begin, static_cast<std::size_t>(field.end - field.begin));
  } else {
    out.append(field.begin, field.end);
  }
}

Fields FieldsOf(const LedgerState& state, const Row& row) {
  Field fields[4];
  const int count = RowFieldsIntl(state, row, fields);
  Fields entry;
  entry.days = row.days;
  AppendRaw(entry.label, fields[1]);
  entry.amount = RowAmountIntl(state, row);
  if (count == 4) AppendRaw(entry.category, fields[3]);
  return entry;
}

// The program's text (code page 1252) in the file's encoding.
std::string Encoded(const LedgerState& state, const std::string& text) {
  if (state.encoding == Encoding::Windows1252) return text;
  std::string out;
  AppendCp1252AsUtf8(out, text.data(), text.size());
  return out;
}

Result CheckText(const std::string& text, Column column, bool optional) {
  if (optional && text.empty()) return Result();
  ErrorKind kind = ErrorKind::None;
  switch (CheckLabel(text.data(), text.size())) {
    case LabelCheck::Ok:
      break;
    case LabelCheck::Missing:
      kind = ErrorKind::MissingLabel;
      break;
    case LabelCheck::TooLong:
      kind = ErrorKind::LongLabel;
      break;
    case LabelCheck::BadCharacter:
      kind = ErrorKind::BadCharacter;
      break;
  }
  return kind == ErrorKind::None ? Result() : FieldErrorIntl(kind, column);
}

// Appends the entry's line to state.edits, in the file's date form, with a category field when
// it has a category or the file has the field; false when edits are full.
bool WriteLine(LedgerState& state, const Fields& entry, Row& row) {
  char date[kDateTextSize];
  std::string line;
  if (state.shortDates) {
    FormatShortDate(entry.days, date);
    line.assign(date, kShortDateTextSize);
  } else {
    FormatDate(entry.days, date);
    line.assign(date, kDateTextSize);
  }
  line += ';';
  AppendLabelField(line, entry.label.data(), entry.label.size());
  line += ';';
  line += AmountText(entry.amount);
  if (!entry.category.empty() || state.categoryField) {
    line += ';';
    AppendLabelField(line, entry.category.data(), entry.category.size());
  }
  if (state.edits.size() + line.size() + 1 > 0xFFFFFFFFu) return false;
  row.at = static_cast<std::uint32_t>(state.edits.size());
  state.edits += line;
  state.edits += '\n';
  row.days = static_cast<std::uint16_t>(entry.days);
  row.milli = entry.amount.units * 1000 + entry.amount.nanos / 1000000;
  row.bits = static_cast<std::uint16_t>(line.size() | kRowEdited);
  if (entry.amount.nanos % 1000000 != 0) row.bits |= kRowWideAmount;
  if (!entry.category.empty()) row.bits |= kRowCategorised;
  return true;
}

std::string Plural(std::size_t count) {
  return std::to_string(count) +
         " \xE9"
         "critures";
}

}  // namespace

Amount RowAmountIntl(const LedgerState& state, const Row& row) {
  if (row.bits & kRowWideAmount) {
    Field fields[4];
    RowFieldsIntl(state, row, fields);
    Amount amount;
    ScanAmount(fields[2].begin, amount);
    return amount;
  }
  std::int64_t units = row.milli / 1000;
  std::int64_t rest = row.milli % 1000;
  if (rest < 0) {
    --units;
    rest += 1000;
  }
  return Amount{units, static_cast<std::uint32_t>(rest) * 1000000u};
}

int RowFieldsIntl(const LedgerState& state, const Row& row, Field (&fields)[4]) {
  const char* line = RowLineIntl(state, row);
  int count = 0;
  int column = 0;
  SplitFieldsIntl(line, line + row.length(), fields, 4, count, column);
  return count;
}

std::string FieldTextIntl(const LedgerState& state, const Field& field) {
  std::string raw;
  AppendRaw(raw, field);
  if (state.encoding == Encoding::Windows1252) return raw;
  std::string text;
  AppendUtf8AsCp1252(text, raw.data(), raw.size());
  return text;
}

Ledger::Ledger() : state_(new LedgerState) {
  ResetHistoryIntl(*state_);
}

Ledger::~Ledger() = default;

void Ledger::New() {
  state_.reset(new LedgerState);
  ResetHistoryIntl(*state_);
  path_.clear();
}

Result Ledger::Open(const std::string& path, const Progress& progress) {
  std::unique_ptr<LedgerState> state(new LedgerState);
  Result result = ReadLedgerFileIntl(path, *state, progress);
  if (!result.ok()) return result;
  ResetHistoryIntl(*state);
  const bool heldHere = state_->lockState == LockState::Held && state_->lock.Path() == path;
  state_ = std::move(state);  // lets go of the file it held
  path_ = path;
  // The same file opened again: the lock this ledger held is its own to take again, provided
  // the file is still the one just read.
  FileStamp stamp;
  PlatformFile lock;
  LockState taken = LockState::Unavailable;
  if (heldHere && state_->lockState == LockState::Elsewhere && lock.OpenLocked(path, taken) &&
      taken == LockState::Held && lock.Stamp(stamp) && state_->stamped && stamp == state_->stamp) {
    state_->lock.Swap(lock);
    state_->lockState = taken;
  }
  RemoveLeftoversIntl(path);
  return result;
}

Result Ledger::Load(const std::string& bytes, const std::string& name) {
  std::unique_ptr<LedgerState> state(new LedgerState);
  if (!AllocateBytesIntl(*state, bytes.size()))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, name, PlatformNoMemoryError());
  std::memcpy(state->bytes.get(), bytes.data(), bytes.size());
  Result result = ParseLedgerIntl(name, *state, Progress());
  if (!result.ok()) return result;
  ResetHistoryIntl(*state);
  state_ = std::move(state);
  path_.clear();
  return result;
}

Result Ledger::Save(const Progress& progress, SaveMode mode) {
  if (path_.empty()) return FieldErrorIntl(ErrorKind::Unnamed, Column::Date);
  LedgerState& state = *state_;
  if (state.lockState != LockState::Held) {
    // The program that held the file may have let go of it since.
    PlatformFile lock;
    LockState taken = LockState::Unavailable;
    if (lock.OpenLocked(path_, taken) && taken == LockState::Held) {
      state.lock.Swap(lock);
      state.lockState = taken;
    } else if (taken == LockState::Elsewhere) {
      return FileErrorIntl(ErrorKind::Locked, FileAction::Save, path_, 0);
    }
  }
  if (mode == SaveMode::Check) {
    const DiskState disk = CheckDisk();
    // A file whose folder went away cannot be saved: the save says so itself.
    if (disk == DiskState::Modified)
      return FileErrorIntl(ErrorKind::ChangedOnDisk, FileAction::Save, path_, 0);
    if (disk == DiskState::Missing && PlatformFolderExists(path_)) return MissingOnDiskIntl(path_);
  }
  return SaveTo(path_, progress);
}

Result Ledger::SaveAs(const std::string& path, const Progress& progress) {
  // The user chose to replace the file: its own file, as it is now.
  if (path == path_) return Save(progress, SaveMode::Overwrite);
  PlatformFile probe;
  LockState taken = LockState::Unavailable;
  if (probe.OpenLocked(path, taken) && taken == LockState::Elsewhere)
    return FileErrorIntl(ErrorKind::Locked, FileAction::Save, path, 0);
  probe.Close();
  return SaveTo(path, progress);
}

Result Ledger::SaveTo(const std::string& path, const Progress& progress) {
  Result result = SaveLedgerIntl(*state_, path, progress);
  if (result.ok()) {
    path_ = path;
    state_->history.savedId = state_->history.CurrentId();
  }
  return result;
}

std::string Ledger::Serialize() const {
  return SerializeLedgerIntl(*state_);
}

bool Ledger::Dirty() const {
  return state_->history.CurrentId() != state_->history.savedId;
}

bool Ledger::ReadOnly() const {
  return state_->lockState == LockState::Elsewhere;
}

std::string Ledger::ReadOnlyMessage() const {
  return ReadOnly() ? ReadOnlyTextIntl(path_) : std::string();
}

DiskState Ledger::CheckDisk() const {
  FileStamp now;
  if (path_.empty() || !state_->stamped || !PlatformStamp(path_, now)) return DiskState::Unchanged;
  if (!now.exists) return DiskState::Missing;
  return now == state_->stamp ? DiskState::Unchanged : DiskState::Modified;
}

Encoding Ledger::FileEncoding() const {
  return state_->encoding;
}

std::size_t Ledger::Count() const {
  return ShownCountIntl(*state_);
}

std::size_t Ledger::CountAll() const {
  return state_->rows.size();
}

std::string Ledger::Text(std::size_t entry, Column column) const {
  if (entry >= Count()) return "";
  const Row& row = state_->rows[ShownRowIntl(*state_, entry)];
  switch (column) {
    case Column::Date:
      return DateText(row.days);
    case Column::Amount:
      return AmountText(RowAmountIntl(*state_, row));
    case Column::Label:
    case Column::Category: {
      Field fields[4];
      const int count = RowFieldsIntl(*state_, row, fields);
      const int index = column == Column::Label ? 1 : 3;
      return index < count ? FieldTextIntl(*state_, fields[index]) : std::string();
    }
  }
  return "";
}

std::string Ledger::BalanceText(std::size_t entry) const {
  if (entry >= Count()) return "";
  return BalanceIntl(*state_, entry).Text();
}

Result Ledger::Add(const std::string& date, const std::string& label, const std::string& amount,
                   const std::string& category) {
  LedgerState& state = *state_;
  if (state.rows.size() >= kMaxEntries)
    return FieldErrorIntl(ErrorKind::TooManyEntries, Column::Date);
  Fields entry;
  if (!ParseDate(date, entry.days)) return FieldErrorIntl(ErrorKind::BadDate, Column::Date);
  Result result = CheckText(label, Column::Label, false);
  if (!result.ok()) return result;
  if (!ParseAmount(amount, entry.amount))
    return FieldErrorIntl(ErrorKind::BadAmount, Column::Amount);
  result = CheckText(category, Column::Category, true);
  if (!result.ok()) return result;
  entry.label = Encoded(state, label);
  entry.category = Encoded(state, category);
  Change change;
  change.kind = ChangeKind::Insert;
  change.rows.emplace_back();
  OpenStepIntl(state);
  if (WriteLine(state, entry, change.rows.back())) {
    change.positions.push_back(static_cast<std::uint32_t>(state.rows.size()));
    CommitChangeIntl(state, std::move(change));
  } else {
    result = FieldErrorIntl(ErrorKind::TooManyEntries, Column::Date);
  }
  CloseStepIntl(state);
  return result;
}

Result Ledger::Delete(std::size_t entry) {
  return Delete(std::vector<std::size_t>{entry});
}

Result Ledger::Delete(const std::vector<std::size_t>& entries) {
  LedgerState& state = *state_;
  const std::size_t shown = Count();
  Change change;
  change.kind = ChangeKind::Erase;
  for (std::size_t entry : entries) {
    if (entry >= shown) return FieldErrorIntl(ErrorKind::NoSuchEntry, Column::Date);
    change.positions.push_back(ShownRowIntl(state, entry));
  }
  std::sort(change.positions.begin(), change.positions.end());
  change.positions.erase(std::unique(change.positions.begin(), change.positions.end()),
                         change.positions.end());
  if (change.positions.empty()) return Result();
  for (std::uint32_t position : change.positions) change.rows.push_back(state.rows[position]);
  OpenStepIntl(state);
  CommitChangeIntl(state, std::move(change));
  CloseStepIntl(state);
  return Result();
}

Result Ledger::Set(std::size_t entry, Column column, const std::string& text) {
  LedgerState& state = *state_;
  if (entry >= Count()) return FieldErrorIntl(ErrorKind::NoSuchEntry, column);
  const std::uint32_t position = ShownRowIntl(state, entry);
  const Row old = state.rows[position];
  Fields fields = FieldsOf(state, old);
  switch (column) {
    case Column::Date:
      if (!ParseDate(text, fields.days)) return FieldErrorIntl(ErrorKind::BadDate, column);
      if (fields.days == old.days) return Result();
      break;
    case Column::Amount: {
      Amount amount;
      if (!ParseAmount(text, amount)) return FieldErrorIntl(ErrorKind::BadAmount, column);
      if (amount == fields.amount) return Result();
      fields.amount = amount;
      break;
    }
    case Column::Label:
    case Column::Category: {
      const bool label = column == Column::Label;
      Result result = CheckText(text, column, !label);
      if (!result.ok()) return result;
      // Compared as shown, so that a label with characters code page 1252 lacks keeps them.
      if (text == Text(entry, column)) return Result();
      (label ? fields.label : fields.category) = Encoded(state, text);
      break;
    }
  }
  Change change;
  change.kind = ChangeKind::Replace;
  change.positions.push_back(position);
  change.rows.push_back(old);
  change.after.emplace_back();
  Result result;
  OpenStepIntl(state);
  if (WriteLine(state, fields, change.after.back())) {
    CommitChangeIntl(state, std::move(change));
  } else {
    result = FieldErrorIntl(ErrorKind::TooManyEntries, column);
  }
  CloseStepIntl(state);
  return result;
}

void Ledger::Sort(Column column, bool descending, Collation collation) {
  LedgerState& state = *state_;
  Change change;
  change.kind = ChangeKind::Permute;
  change.positions = SortOrderIntl(state, column, descending, collation);
  bool moved = false;
  for (std::size_t i = 0; i < change.positions.size() && !moved; ++i)
    moved = change.positions[i] != i;
  if (!moved) return;
  OpenStepIntl(state);
  CommitChangeIntl(state, std::move(change));
  CloseStepIntl(state);
}

void Ledger::GroupBegin() {
  GroupBeginIntl(*state_);
}

void Ledger::GroupEnd() {
  GroupEndIntl(*state_);
}

bool Ledger::CanUndo() const {
  return !state_->history.done.empty() && state_->history.groupDepth == 0;
}

bool Ledger::CanRedo() const {
  return !state_->history.undone.empty() && state_->history.groupDepth == 0;
}

bool Ledger::Undo() {
  return CanUndo() && UndoIntl(*state_);
}

bool Ledger::Redo() {
  return CanRedo() && RedoIntl(*state_);
}

std::string Ledger::TotalText() const {
  return ShownTotalIntl(*state_).Text();
}

std::string Ledger::StatusText() const {
  if (!Filtered()) return Plural(Count()) + ", total " + TotalText();
  return Plural(Count()) + " affich\xE9" + "es sur " + std::to_string(CountAll()) + ", total " +
         TotalText();
}

}  // namespace carnet
