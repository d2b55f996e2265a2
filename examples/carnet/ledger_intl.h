// The ledger's internals shared by its files, grouped by the file that defines them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "entry_amount.h"
#include "ledger.h"
#include "ledger_platform.h"

namespace carnet {

// Row::bits: the line's length in its low bits, then these flags.
constexpr std::uint16_t kRowLengthMask = 0x3FF;
enum RowFlag : std::uint16_t {
  kRowEdited = 0x400,       // the line is in LedgerState::edits, not in the file's bytes
  kRowWideAmount = 0x800,   // more than three decimals: the amount is read again from the line
  kRowCategorised = 0x1000  // the entry has a category
};

// The longest line of valid fields: a quoted date, a label and a category of 100 four-byte
// characters (or 100 doubled quotes) quoted, a quoted amount, and the separators.
constexpr std::size_t kLongestLine = 12 + 1 + 402 + 1 + 28 + 1 + 402;
static_assert(kLongestLine <= kRowLengthMask, "a line's length fits Row::bits");

// One entry: where its line is, and the two keys that sorting, filtering and summing need
// without reading the line again. The label and the category are read from the line when asked.
struct Row {
  // Left uninitialised, so that the reader can size its rows without writing them twice.
  Row() {}
  Row(std::int64_t milli_, std::uint32_t at_, std::uint16_t days_, std::uint16_t bits_)
      : milli(milli_), at(at_), days(days_), bits(bits_) {}

  std::int64_t milli;  // the amount in thousandths (below 10^18), unless kRowWideAmount
  std::uint32_t at;    // offset of the line in the file's bytes, or in edits
  std::uint16_t days;  // the date, days since 01/01/1970
  std::uint16_t bits;  // the line's length (kRowLengthMask) and RowFlag bits
  std::size_t length() const { return bits & kRowLengthMask; }
};
static_assert(sizeof(Row) == 16, "a million entries take 16 MB beside the file's bytes");

// A field of a line: its content, quotes excluded.
struct Field {
  const char* begin;
  const char* end;
  bool doubled;  // holds doubled quotes
};

// --- ledger_history.cpp ---

// One change to the rows, kept so that it can be undone and redone.
enum class ChangeKind : std::uint8_t {
  Replace,  // rows[positions[i]] goes from rows[i] to after[i]
  Insert,   // rows[i] go in at positions[i] (ascending, positions once inserted)
  Erase,    // the rows at positions[i] (ascending, positions before) go; rows[i] keeps them
  Permute,  // the new row i is the old row order[i]; positions holds the order, or runs of it
};

struct Change {
  ChangeKind kind = ChangeKind::Replace;
  bool runs = false;  // Permute: positions are (start, length) pairs
  std::vector<std::uint32_t> positions;
  std::vector<Row> rows;
  std::vector<Row> after;
};

// Changes undone and redone together: one user action (an edit, a deletion, a paste, a sort).
struct Step {
  std::uint64_t id = 0;
  std::size_t editsMark = 0;  // LedgerState::edits' size before the step
  std::size_t bytes = 0;      // what its changes hold
  std::vector<Change> changes;
};

struct History {
  std::deque<Step> done;     // the last is the step the ledger is at
  std::vector<Step> undone;  // the last is the next to redo
  std::uint64_t baseId = 0;  // the ledger's state before done.front()
  std::uint64_t savedId = 0;
  std::uint64_t nextId = 1;
  int groupDepth = 0;
  bool open = false;                      // done.back() takes the changes under way (a group's)
  std::size_t bytes = 0;                  // held by done and undone
  std::size_t budget = 0;                 // beyond it, the oldest steps are forgotten
  std::size_t touched = ~std::size_t(0);  // the first row the last change applied touched
  bool touchedGone = false;  // rows went from there: the entry after them stands for it

  std::uint64_t CurrentId() const { return done.empty() ? baseId : done.back().id; }
};

// --- ledger_view.cpp (the entries shown, their balances, categories) ---

constexpr std::size_t kBalanceSpan = 64;  // entries between two kept sums

struct View {
  bool filtered = false;
  int first = 0;  // the period, days since 1970, both included
  int last = 0;
  std::vector<std::uint32_t> rows;  // with a period: the rows shown, in order
  // Made when first asked after a change, by functions that only read the ledger, and only as
  // far as asked: a paint of the first rows adds up no more than their spans.
  mutable bool sumsValid = false;         // the sums below follow the rows shown
  mutable std::vector<AmountTotal> sums;  // sums[k]: the entries shown before
                                          // k * kBalanceSpan
  mutable AmountTotal sumsEnd;            // the entries shown before sums.size() spans
  mutable bool categoriesValid = false;
  mutable std::vector<std::string> categories;  // Categories()' answer
};

// What an open ledger holds; Open builds a new one and swaps it in whole.
struct LedgerState {
  // The file as read: its bytes (the first line and a byte-order mark included), then padding.
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;  // the file's bytes, the padding not counted
  Encoding encoding = Encoding::Windows1252;
  std::size_t headerAt = 0;    // where the first line starts (after a byte-order mark)
  std::size_t headerSize = 0;  // the first line's bytes, its end not included
  bool categoryField = false;  // the first line names four fields
  bool shortDates = false;     // the first entry's date is dd/mm/yy: new lines follow it
  bool lineFeeds = false;      // lines end with LF alone, not CR LF

  std::vector<Row> rows;        // the entries in their current order
  std::string edits;            // lines written anew, each ended by '\n'; never shrinks
                                // but for steps forgotten from the redo list
  AmountTotal total;            // of every row
  std::size_t categorised = 0;  // rows with a category

  PlatformFile lock;  // holds the file's lock while it is open here
  LockState lockState = LockState::Unavailable;
  bool stamped = false;  // stamp describes the file as last read or saved here
  FileStamp stamp;

  History history;
  View view;
};

// --- ledger.cpp ---

// The entry's amount, exactly.
Amount RowAmountIntl(const LedgerState& state, const Row& row);
inline const char* RowLineIntl(const LedgerState& state, const Row& row) {
  return row.bits & kRowEdited ? state.edits.data() + row.at : state.bytes.get() + row.at;
}
// The line's fields (three or four: the line is valid), quotes excluded.
int RowFieldsIntl(const LedgerState& state, const Row& row, Field (&fields)[4]);
// A label's or category's text in code page 1252, unquoted and converted from the file's
// encoding.
std::string FieldTextIntl(const LedgerState& state, const Field& field);

// --- ledger_read.cpp ---

// Line ends after a file's bytes, so that the reader's walks stop without testing for the
// end: as many as its widest load.
constexpr std::size_t kBytesPadding = 16;
// Gives state.bytes room for `size` bytes and the padding; false when memory is short.
bool AllocateBytesIntl(LedgerState& state, std::size_t size);

// Reads the file into `state` through state.lock, which keeps the file's lock when it could take
// it; progress counts the bytes read, then those parsed.
Result ReadLedgerFileIntl(const std::string& path, LedgerState& state, const Progress& progress);
// Parses state.bytes (state.size bytes and the padding), whose '\n' bytes the caller may have
// counted already, in pieces of 1 MiB. Without the fast path, every line goes through the general
// parser, which the fuzz target compares with it.
Result ParseLedgerIntl(const std::string& name, LedgerState& state, const Progress& progress,
                       bool fastPath = true, const std::vector<std::size_t>* lineEnds = nullptr);
// Splits [line, end) into up to `most` fields. ErrorKind::None, or the quote or count error and
// the field at fault in `column`.
ErrorKind SplitFieldsIntl(const char* line, const char* end, Field* fields, int most, int& count,
                          int& column);

// --- ledger_threads.cpp ---
// Threads beside the caller's, each running the job it is given with its number (1 to count);
// started once for a read and its parse.
class SideThreads {
 public:
  explicit SideThreads(unsigned count);
  ~SideThreads();  // waits for the job under way
  SideThreads(const SideThreads&) = delete;
  SideThreads& operator=(const SideThreads&) = delete;
  unsigned count() const { return static_cast<unsigned>(threads_.size()); }
  // Gives every thread the job, once the last one is done, and returns at once.
  void Start(std::function<void(unsigned)> job);
  void Wait();

 private:
  void Serve(unsigned k);
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::function<void(unsigned)> job_;
  std::uint64_t generation_ = 0;
  unsigned running_ = 0;
  bool quit_ = false;
  std::vector<std::thread> threads_;
};

// The pages of a new buffer made by a side thread ahead of the reads into it: a system's read
// into pages not yet made spends as long making them as copying, and the two can go side by
// side. The maker writes only where the reader has not claimed, so no byte read is overwritten.
class PageMaker {
 public:
  // Without a maker, the reader takes every byte at once.
  explicit PageMaker(bool making) : making_(making) {}
  // On the side thread: makes the pages of [0, size) a block at a time, until Stop or the end.
  void Make(char* bytes, std::size_t size);
  // On the reader, reading in order: of the `size` bytes it means to read at `at`, how many it
  // may read now.
  std::size_t Take(std::size_t at, std::size_t size);
  // The maker stops after its block under way; called once the reader reads no more.
  void Stop();

 private:
  static constexpr std::size_t kBlock = 64u << 10;
  const bool making_;
  std::size_t taken_ = 0;                // the reader's own claim ends here (its thread only)
  std::atomic<std::size_t> claimed_{0};  // below it, the maker's blocks and the reader's reads
  std::atomic<std::size_t> made_{0};     // the maker's blocks below it are made
};

// --- ledger_write.cpp ---

// Writes every line to the file through a temporary file of its own beside it, flushed, keeps
// the file's present content as "<path>.bak", then puts the new one in place in one step; the
// state's lock holds the new file afterwards. Leftovers of saves that were killed are removed
// first.
Result SaveLedgerIntl(LedgerState& state, const std::string& path, const Progress& progress);
std::string SerializeLedgerIntl(const LedgerState& state);
// Removes "<path>.<16 hex digits>.tmp" (and "<path>.tmp") files beside `path` that no save holds
// and that have not changed for LeftoverAge seconds.
void RemoveLeftoversIntl(const std::string& path);
// Test seams: when set, called before each write to a ledger's temporary file with the offset
// and size of the write; a nonzero answer makes the write fail with that system error. And the
// age below which a leftover is kept (10 seconds).
using WriteFault = std::uint32_t (*)(std::uint64_t offset, std::size_t size);
void SetWriteFaultIntl(WriteFault fault);
void SetLeftoverAgeIntl(int seconds);

// --- ledger_sort.cpp ---

// The order that sorts the rows: order[i] is the row that goes to position i.
std::vector<std::uint32_t> SortOrderIntl(const LedgerState& state, Column column, bool descending,
                                         Collation collation);

// --- ledger_history.cpp ---

// A change goes: OpenStepIntl (which forgets the steps undone, and their lines), then lines
// written to edits, CommitChangeIntl (which applies it and records it), CloseStepIntl (which
// ends the step unless a group is open, and drops it when nothing changed).
void OpenStepIntl(LedgerState& state);
void CommitChangeIntl(LedgerState& state, Change&& change);
void CloseStepIntl(LedgerState& state);
void GroupBeginIntl(LedgerState& state);
void GroupEndIntl(LedgerState& state);
bool UndoIntl(LedgerState& state);
bool RedoIntl(LedgerState& state);
// Forgets every step; the ledger is clean.
void ResetHistoryIntl(LedgerState& state);

// --- ledger_view.cpp ---

// The row of an entry shown; entries below Count().
std::size_t ShownCountIntl(const LedgerState& state);
std::uint32_t ShownRowIntl(const LedgerState& state, std::size_t entry);
// After a change: the rows shown again (unless `keep`, within a group), their sums and
// categories to make again.
void ViewChangedIntl(LedgerState& state, bool keep);
// Within a group: a row appended is shown (at the end) when its date is in the period.
void ViewAppendedIntl(LedgerState& state, std::uint32_t position);
AmountTotal BalanceIntl(const LedgerState& state, std::size_t entry);
AmountTotal ShownTotalIntl(const LedgerState& state);
// The fold of each code page 1252 byte for Find: case and accents away, 0 for what is ignored.
const unsigned char* FindFoldIntl();

// --- ledger_messages.cpp ---

enum class FileAction { Read, Save };
// "Fichier <name>, ligne <n> : <reason>".
Result LineErrorIntl(ErrorKind kind, Column column, const std::string& name, std::uint64_t line);
// "Fichier <name> : ..." for Io (with the system's reason), TooLarge, Changed, Cancelled,
// ChangedOnDisk, Locked.
Result FileErrorIntl(ErrorKind kind, FileAction action, const std::string& name,
                     std::uint32_t systemError);
// The reason alone, for a field typed by the user, and the model's own refusals.
Result FieldErrorIntl(ErrorKind kind, Column column);
// "Fichier <name> : déjà ouvert dans un autre programme ; ouvert en lecture seule".
std::string ReadOnlyTextIntl(const std::string& name);
// "Fichier <name> : ... supprimé ..." rather than "... modifié ..." for ChangedOnDisk.
Result MissingOnDiskIntl(const std::string& name);

}  // namespace carnet
