// Carnet's ledger: entries of a date, a label and an exact amount, read from and saved to a
// semicolon-separated file in code page 1252. Nothing throws; every failure is a Result.
// File format, limits and memory layout: README.md beside this file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace carnet {

enum class Column { Date, Label, Amount };

// Entry numbers and edited lines are 32-bit; with the 15-digit amounts this bounds the total.
constexpr std::size_t kMaxEntries = 0xFFFFFFFEu;
// Lines are found through 32-bit offsets into the file's bytes.
constexpr std::uint64_t kMaxFileBytes = 0xFFFFFFFFu;

enum class ErrorKind {
  None,
  Unnamed,         // Save on a ledger that has no file yet: use SaveAs
  NoSuchEntry,     // an entry number at or past Count()
  TooManyEntries,  // Add past kMaxEntries
  Io,              // the system refused: systemError says why
  TooLarge,        // a file of 4 GiB or more
  Changed,         // the file grew while it was read
  Cancelled,       // the progress callback returned false
  Empty,           // an empty file (not even the first line)
  Header,          // a first line other than date;libellé;montant
  MissingField,    // fewer than three fields
  ExtraField,      // more than three fields
  UnclosedQuote,   // a quoted field that the line's end cuts
  MisplacedQuote,  // a quote inside an unquoted field, or text after a closing quote
  BadDate,         // not dd/mm/yyyy, not a calendar date, or outside 1970..2037
  MissingLabel,    // empty, or spaces only
  LongLabel,       // more than 100 characters
  BadCharacter,    // a control character, or a byte code page 1252 leaves undefined
  BadAmount,       // not [-]digits[,digits] within 15 and 9 digits
};

struct Result {
  ErrorKind kind = ErrorKind::None;
  std::uint64_t line = 0;         // 1-based line of the file (the first line is 1); 0: none
  Column column = Column::Date;   // the field at fault, for the field kinds
  std::uint32_t systemError = 0;  // errno or GetLastError() for Io
  std::string message;            // French, CP1252, names the file and the line; "" when ok
  bool ok() const { return kind == ErrorKind::None; }
};

// Called every few MiB of reading or writing (a few tens of milliseconds) and once at the end,
// so that the application can update its status bar and pump its messages. Returning false
// cancels: the ledger and the file stay as they were.
using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Appends to `key` the bytes that order `text` (CP1252) when keys are compared as bytes.
using Collation = void (*)(const char* text, std::size_t size, std::string& key);
// The user's collation: LCMapStringA sort keys on Windows, byte order elsewhere.
void UserCollation(const char* text, std::size_t size, std::string& key);
// Byte order.
void ByteCollation(const char* text, std::size_t size, std::string& key);

struct LedgerState;

class Ledger {
 public:
  Ledger();
  ~Ledger();
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;

  // An empty, unnamed, clean ledger.
  void New();
  // Reads the file; on failure nothing changes and the Result names the file and the line.
  Result Open(const std::string& path, const Progress& progress = {});
  // The same reader over bytes already in memory; `name` stands for the file in messages.
  Result Load(const std::string& bytes, const std::string& name);
  // Writes a temporary file beside the ledger, flushes it and replaces the ledger with it in one
  // step. On failure the file on disk is unchanged and the ledger stays dirty.
  Result Save(const Progress& progress = {});
  // The same to another file, which becomes the ledger's path on success.
  Result SaveAs(const std::string& path, const Progress& progress = {});
  // The bytes Save would write.
  std::string Serialize() const;

  const std::string& Path() const { return path_; }
  bool Dirty() const { return dirty_; }
  std::size_t Count() const;

  // The text shown in a cell: "dd/mm/yyyy", the label unquoted, the canonical amount.
  // "" for an entry number out of range.
  std::string Text(std::size_t entry, Column column) const;

  // Appends an entry; each field is checked as the reader checks it.
  Result Add(const std::string& date, const std::string& label, const std::string& amount);
  Result Delete(std::size_t entry);
  // Changes one field. A value equal to the current one changes nothing, so the entry keeps
  // its bytes; a changed entry is written in canonical form.
  Result Set(std::size_t entry, Column column, const std::string& text);

  // The exact total, canonical ("-12,5").
  std::string TotalText() const;
  // "<n> écritures, total <amount>".
  std::string StatusText() const;

  // Stable sort by one column; labels through `collation` (the user's when null). The ledger
  // becomes dirty when the order changed, since a save writes the entries in this order.
  void Sort(Column column, bool descending, Collation collation = nullptr);

 private:
  Result SaveTo(const std::string& path, const Progress& progress);

  std::unique_ptr<LedgerState> state_;
  std::string path_;  // "" while unnamed
  bool dirty_ = false;
};

}  // namespace carnet
