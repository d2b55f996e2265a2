// Carnet's ledger: entries of a date, a label, an exact amount and an optional category, read
// from and saved to a semicolon-separated file in code page 1252 or UTF-8. Nothing throws; every
// failure is a Result. File format, limits and memory layout: README.md beside this file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace carnet {

enum class Column { Date, Label, Amount, Category };

// Entry numbers and edited lines are 32-bit; with the 15-digit amounts this bounds the total.
constexpr std::size_t kMaxEntries = 0xFFFFFFFEu;
// Lines are found through 32-bit offsets into the file's bytes.
constexpr std::uint64_t kMaxFileBytes = 0xFFFFFFFFu;
// What Find and the entry functions answer for "no such entry".
constexpr std::size_t kNoEntry = ~std::size_t(0);

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
  Header,          // a first line other than date;libellé;montant[;catégorie]
  MissingField,    // fewer fields than the first line names
  ExtraField,      // more fields than the first line names
  UnclosedQuote,   // a quoted field that the line's end cuts
  MisplacedQuote,  // a quote inside an unquoted field, or text after a closing quote
  BadDate,         // not dd/mm/yyyy or dd/mm/yy, not a calendar date, or outside 1970..2037
  MissingLabel,    // empty, or spaces only
  LongLabel,       // more than 100 characters (a category too)
  BadCharacter,    // a control character, or a byte code page 1252 leaves undefined
  BadAmount,       // not [-]digits[,digits] within 15 and 9 digits
  BadUtf8,         // a file in UTF-8 (by its mark or its first line) with bytes that are not
  MixedEncoding,   // a label or category in UTF-8 inside a file in code page 1252
  BadPeriod,       // a period whose first day comes after its last
  ChangedOnDisk,   // Save: another program changed, replaced or deleted the file since it was
                   // opened or saved here; nothing was written (SaveMode::Overwrite to go on)
  Locked,          // Save: the file is open in another program (another Carnet); use SaveAs
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

// How the file's text is encoded; the program itself works in code page 1252.
enum class Encoding {
  Windows1252,  // code page 1252, the encoding of new files
  Utf8,         // UTF-8 without a byte-order mark
  Utf8Bom,      // UTF-8 after the mark EF BB BF, which a save keeps
};

// What became of the file since it was opened or saved here.
enum class DiskState { Unchanged, Modified, Missing };

enum class SaveMode {
  Check,      // refuse with ChangedOnDisk when another program changed the file meanwhile
  Overwrite,  // the user chose to replace it all the same
};

// One category's entries among those shown, and their exact total.
struct CategoryTotal {
  std::string name;  // "" for the entries without a category
  std::size_t count = 0;
  std::string total;  // canonical, "-12,5"
};

struct LedgerState;

class Ledger {
 public:
  Ledger();
  ~Ledger();
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;

  // --- The file ---

  // An empty, unnamed, clean ledger in code page 1252, without history or filter.
  void New();
  // Reads the file; on failure nothing changes and the Result names the file and the line. The
  // ledger holds the file's lock while it is open; when another program (another Carnet) holds
  // it already, the file is opened all the same and ReadOnly() says so.
  Result Open(const std::string& path, const Progress& progress = {});
  // The same reader over bytes already in memory; `name` stands for the file in messages.
  Result Load(const std::string& bytes, const std::string& name);
  // Writes a temporary file of its own beside the ledger, flushes it, keeps the ledger's present
  // file as "<file>.bak" and puts the new one in place in one step. On failure the file on disk
  // is unchanged and the ledger stays dirty. SaveMode::Check refuses with ChangedOnDisk when
  // CheckDisk() is not Unchanged (a file whose folder is gone is tried, and fails, as before).
  Result Save(const Progress& progress = {}, SaveMode mode = SaveMode::Check);
  // The same to another file, which becomes the ledger's path (and its lock) on success.
  Result SaveAs(const std::string& path, const Progress& progress = {});
  // The bytes Save would write.
  std::string Serialize() const;

  const std::string& Path() const { return path_; }
  bool Dirty() const;
  // Opened while another program held the file: Save refuses with Locked until that program
  // lets go (Save tries to take the lock again each time); SaveAs works.
  bool ReadOnly() const;
  // "Fichier <name> : déjà ouvert dans un autre programme ; ouvert en lecture seule", or "".
  std::string ReadOnlyMessage() const;
  DiskState CheckDisk() const;
  Encoding FileEncoding() const;

  // --- The entries shown: all of them, or those of the period ---

  // Entries shown; entry numbers below count them in the order shown.
  std::size_t Count() const;
  // Entries in the ledger, shown or not.
  std::size_t CountAll() const;
  // The text shown in a cell: "dd/mm/yyyy", the label unquoted, the canonical amount, the
  // category ("" for none), in code page 1252 whatever the file's encoding (a character 1252
  // lacks shows as "?"). "" for an entry number out of range.
  std::string Text(std::size_t entry, Column column) const;
  // The running balance after the entry: the exact sum of the amounts shown up to it, in the
  // order shown. Sums are kept every 64 entries and made again after a change, so that painting
  // a cell costs at most 64 additions. "" out of range.
  std::string BalanceText(std::size_t entry) const;

  // Shows only the entries from `first` to `last` (dd/mm/yyyy, both included; "" leaves that end
  // open). The view follows every later change until ClearPeriod.
  Result SetPeriod(const std::string& first, const std::string& last);
  void ClearPeriod();
  bool Filtered() const;

  // The next entry shown whose label holds `text`, from `from` on (forward) or back from `from`
  // (backward), going round once; case and accents are ignored (the user's collation on Windows,
  // a fixed folding of code page 1252 elsewhere). kNoEntry when none has it.
  std::size_t Find(const std::string& text, std::size_t from, bool forward = true) const;

  // --- Changes: each one is a step of the history ---

  // Appends an entry; each field is checked as the reader checks it.
  Result Add(const std::string& date, const std::string& label, const std::string& amount,
             const std::string& category = "");
  Result Delete(std::size_t entry);
  // Deletes several entries at once (their numbers in any order); any number out of range
  // refuses the whole and changes nothing.
  Result Delete(const std::vector<std::size_t>& entries);
  // Changes one field. A value equal to the current one changes nothing, so the entry keeps
  // its bytes; a changed entry is written in the file's own date form and encoding, its other
  // fields canonical.
  Result Set(std::size_t entry, Column column, const std::string& text);
  // Stable sort of the whole ledger by one column; labels and categories through `collation`
  // (the user's when null). A step of the history when the order changed, since a save writes
  // the entries in this order.
  void Sort(Column column, bool descending, Collation collation = nullptr);

  // Changes between GroupBegin and GroupEnd (a paste) are one step, undone and redone together.
  // Meanwhile the entries shown keep their numbers: an entry edited out of the period stays
  // until GroupEnd, and an added one that falls in it is shown at the end.
  void GroupBegin();
  void GroupEnd();

  bool CanUndo() const;
  bool CanRedo() const;
  // Take back or make again the last step; false when there is none. Dirty() follows: back at
  // the state last opened or saved, the ledger is clean again.
  bool Undo();
  bool Redo();
  // The first entry shown that the last change, undo or redo touched (an added entry, the
  // entry after those deleted), for the grid to select; kNoEntry after a sort, or when it is
  // not shown.
  std::size_t ChangedEntry() const;

  // --- Totals ---

  // The exact total of the entries shown, canonical ("-12,5").
  std::string TotalText() const;
  // "<n> écritures, total <amount>", or with a period "<n> écritures affichées sur <N>, total
  // <amount>", the total being that of the entries shown.
  std::string StatusText() const;
  // The categories the ledger's entries have, each once, in the user's collation.
  std::vector<std::string> Categories() const;
  // Each category's entries among those shown and their exact total, in the user's collation;
  // the entries without a category first, under "".
  std::vector<CategoryTotal> CategoryTotals() const;

 private:
  Result SaveTo(const std::string& path, const Progress& progress);

  std::unique_ptr<LedgerState> state_;
  std::string path_;  // "" while unnamed
};

}  // namespace carnet
