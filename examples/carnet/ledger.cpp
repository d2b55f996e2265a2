// The ledger model: opening and saving as whole steps, the entries' texts, edits checked as the
// reader checks lines, and the running total.
#include "ledger.h"

#include <cstring>

#include "entry_date.h"
#include "entry_label.h"
#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

// The three fields of an entry, as the user sees them.
struct Fields {
  int days;
  std::string label;
  Amount amount;
};

std::string LabelOf(const LedgerState& state, const Row& row) {
  const char* text = RowLine(state, row) + row.labelAt;
  if (!(row.flags & kRowDoubledQuotes)) return std::string(text, row.labelSize);
  std::string label;
  AppendUnquoted(label, text, row.labelSize);
  return label;
}

Result CheckField(Column column, const std::string& text, Fields& fields) {
  switch (column) {
    case Column::Date:
      if (!ParseDate(text, fields.days)) return FieldErrorIntl(ErrorKind::BadDate, column);
      break;
    case Column::Label:
      switch (CheckLabel(text.data(), text.size())) {
        case LabelCheck::Ok:
          break;
        case LabelCheck::Missing:
          return FieldErrorIntl(ErrorKind::MissingLabel, column);
        case LabelCheck::TooLong:
          return FieldErrorIntl(ErrorKind::LongLabel, column);
        case LabelCheck::BadCharacter:
          return FieldErrorIntl(ErrorKind::BadCharacter, column);
      }
      fields.label = text;
      break;
    case Column::Amount:
      if (!ParseAmount(text, fields.amount)) return FieldErrorIntl(ErrorKind::BadAmount, column);
      break;
  }
  return Result();
}

// Writes the entry's canonical line into edited[slot] and describes it.
Row CanonicalRow(LedgerState& state, const Fields& fields, std::uint32_t slot) {
  std::string& line = state.edited[slot];
  line = DateText(fields.days) + ';';
  const std::size_t labelStart = line.size();
  AppendLabelField(line, fields.label.data(), fields.label.size());
  const bool quoted = line[labelStart] == '"';
  Row row;
  row.labelAt = static_cast<std::uint8_t>(labelStart + (quoted ? 1 : 0));
  row.labelSize = static_cast<std::uint8_t>(line.size() - row.labelAt - (quoted ? 1 : 0));
  row.flags = kRowEdited;
  if (quoted && fields.label.find('"') != std::string::npos) row.flags |= kRowDoubledQuotes;
  line += ';';
  line += AmountText(fields.amount);
  line.shrink_to_fit();
  row.units = fields.amount.units;
  row.nanos = fields.amount.nanos;
  row.at = slot;
  row.days = static_cast<std::uint16_t>(fields.days);
  row.length = static_cast<std::uint8_t>(line.size());
  return row;
}

}  // namespace

Ledger::Ledger() : state_(new LedgerState) {}

Ledger::~Ledger() = default;

void Ledger::New() {
  state_.reset(new LedgerState);
  path_.clear();
  dirty_ = false;
}

Result Ledger::Open(const std::string& path, const Progress& progress) {
  std::unique_ptr<LedgerState> state(new LedgerState);
  Result result = ReadLedgerFileIntl(path, *state, progress);
  if (!result.ok()) return result;
  state_ = std::move(state);
  path_ = path;
  dirty_ = false;
  return result;
}

Result Ledger::Load(const std::string& bytes, const std::string& name) {
  std::unique_ptr<LedgerState> state(new LedgerState);
  if (!AllocateBytesIntl(*state, bytes.size()))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, name, PlatformNoMemoryError());
  std::memcpy(state->bytes.get(), bytes.data(), bytes.size());
  Result result = ParseLedgerIntl(name, *state, Progress());
  if (!result.ok()) return result;
  state_ = std::move(state);
  path_.clear();
  dirty_ = false;
  return result;
}

Result Ledger::Save(const Progress& progress) {
  if (path_.empty()) return FieldErrorIntl(ErrorKind::Unnamed, Column::Date);
  return SaveTo(path_, progress);
}

Result Ledger::SaveAs(const std::string& path, const Progress& progress) {
  return SaveTo(path, progress);
}

Result Ledger::SaveTo(const std::string& path, const Progress& progress) {
  Result result = SaveLedgerIntl(*state_, path, progress);
  if (result.ok()) {
    path_ = path;
    dirty_ = false;
  }
  return result;
}

std::string Ledger::Serialize() const {
  return SerializeLedgerIntl(*state_);
}

std::size_t Ledger::Count() const {
  return state_->rows.size();
}

std::string Ledger::Text(std::size_t entry, Column column) const {
  if (entry >= state_->rows.size()) return "";
  const Row& row = state_->rows[entry];
  switch (column) {
    case Column::Date:
      return DateText(row.days);
    case Column::Label:
      return LabelOf(*state_, row);
    case Column::Amount:
      return AmountText(RowAmount(row));
  }
  return "";
}

Result Ledger::Add(const std::string& date, const std::string& label, const std::string& amount) {
  if (state_->rows.size() >= kMaxEntries || state_->edited.size() >= kMaxEntries)
    return FieldErrorIntl(ErrorKind::TooManyEntries, Column::Date);
  Fields fields;
  Result result = CheckField(Column::Date, date, fields);
  if (result.ok()) result = CheckField(Column::Label, label, fields);
  if (result.ok()) result = CheckField(Column::Amount, amount, fields);
  if (!result.ok()) return result;
  state_->edited.emplace_back();
  const Row row =
      CanonicalRow(*state_, fields, static_cast<std::uint32_t>(state_->edited.size() - 1));
  state_->rows.push_back(row);
  state_->total.Add(RowAmount(row));
  dirty_ = true;
  return result;
}

Result Ledger::Delete(std::size_t entry) {
  if (entry >= state_->rows.size()) return FieldErrorIntl(ErrorKind::NoSuchEntry, Column::Date);
  const Row row = state_->rows[entry];
  if (row.flags & kRowEdited) std::string().swap(state_->edited[row.at]);
  state_->total.Subtract(RowAmount(row));
  state_->rows.erase(state_->rows.begin() + static_cast<std::ptrdiff_t>(entry));
  dirty_ = true;
  return Result();
}

Result Ledger::Set(std::size_t entry, Column column, const std::string& text) {
  if (entry >= state_->rows.size()) return FieldErrorIntl(ErrorKind::NoSuchEntry, column);
  const Row old = state_->rows[entry];
  Fields fields{old.days, LabelOf(*state_, old), RowAmount(old)};
  const Fields before = fields;
  Result result = CheckField(column, text, fields);
  if (!result.ok()) return result;
  if (fields.days == before.days && fields.label == before.label &&
      fields.amount == before.amount) {
    return result;
  }
  std::uint32_t slot = old.at;
  if (!(old.flags & kRowEdited)) {
    if (state_->edited.size() >= kMaxEntries)
      return FieldErrorIntl(ErrorKind::TooManyEntries, column);
    state_->edited.emplace_back();
    slot = static_cast<std::uint32_t>(state_->edited.size() - 1);
  }
  const Row row = CanonicalRow(*state_, fields, slot);
  state_->total.Subtract(RowAmount(old));
  state_->total.Add(RowAmount(row));
  state_->rows[entry] = row;
  dirty_ = true;
  return result;
}

std::string Ledger::TotalText() const {
  return state_->total.Text();
}

std::string Ledger::StatusText() const {
  return std::to_string(state_->rows.size()) +
         " \xE9"
         "critures, total " +
         TotalText();
}

void Ledger::Sort(Column column, bool descending, Collation collation) {
  if (SortRowsIntl(*state_, column, descending, collation)) dirty_ = true;
}

}  // namespace carnet
