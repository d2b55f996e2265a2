// The ledger's internals shared by its files, grouped by the file that defines them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "entry_amount.h"
#include "ledger.h"

namespace carnet {

enum RowFlag : std::uint8_t {
  kRowEdited = 1,         // the line is edited[at], not in the file's bytes
  kRowDoubledQuotes = 2,  // the label's bytes hold doubled quotes to collapse
};

// One entry: where its line is and its parsed keys. A line of three valid fields is at most
// 244 bytes (every field quoted, a label of 100 quotes), so byte-sized offsets do.
struct Row {
  // Left uninitialised, so that the reader can size its rows without writing them twice.
  Row() {}
  Row(std::int64_t units_, std::uint32_t nanos_, std::uint32_t at_, std::uint16_t days_,
      std::uint8_t length_, std::uint8_t labelAt_, std::uint8_t labelSize_, std::uint8_t flags_)
      : units(units_),
        nanos(nanos_),
        at(at_),
        days(days_),
        length(length_),
        labelAt(labelAt_),
        labelSize(labelSize_),
        flags(flags_) {}

  std::int64_t units;      // the amount, as in Amount
  std::uint32_t nanos;     //
  std::uint32_t at;        // offset of the line in the file's bytes, or its index in edited
  std::uint16_t days;      // the date, days since 01/01/1970
  std::uint8_t length;     // bytes of the line, its end not included
  std::uint8_t labelAt;    // where the label's content starts in the line
  std::uint8_t labelSize;  // the label's content bytes, doubled quotes included
  std::uint8_t flags;      // RowFlag bits
};
static_assert(sizeof(Row) == 24, "a million entries take 24 MB beside the file's bytes");

// What an open ledger holds; Open builds a new one and swaps it in whole.
struct LedgerState {
  std::unique_ptr<char[]> bytes;    // the file as read, its first line included, then padding
  std::size_t size = 0;             // the file's bytes, the padding not counted
  std::vector<Row> rows;            // the entries in their current order
  std::vector<std::string> edited;  // canonical lines of edited and added entries
  AmountTotal total;                // of every row
};

inline const char* RowLine(const LedgerState& state, const Row& row) {
  return row.flags & kRowEdited ? state.edited[row.at].data() : state.bytes.get() + row.at;
}

inline Amount RowAmount(const Row& row) {
  return Amount{row.units, row.nanos};
}

// --- ledger_read.cpp ---

// Line ends after a file's bytes, so that the reader's walks stop without testing for the
// end: as many as its widest load.
constexpr std::size_t kBytesPadding = 16;
// Gives state.bytes room for `size` bytes and the padding; false when memory is short.
bool AllocateBytesIntl(LedgerState& state, std::size_t size);

// Reads the file into `state`; progress counts the bytes read, then those parsed.
Result ReadLedgerFileIntl(const std::string& path, LedgerState& state, const Progress& progress);
// Parses state.bytes (state.size bytes and the padding), whose '\n' bytes the caller
// may have counted already. Without the fast path, every line goes through the general parser,
// which the fuzz target compares with it.
constexpr std::size_t kUncounted = ~std::size_t(0);
Result ParseLedgerIntl(const std::string& name, LedgerState& state, const Progress& progress,
                       bool fastPath = true, std::size_t lineEnds = kUncounted);

// --- ledger_write.cpp ---

// Writes every line, each ended by CR LF, to the file through a temporary one beside it.
Result SaveLedgerIntl(const LedgerState& state, const std::string& path, const Progress& progress);
std::string SerializeLedgerIntl(const LedgerState& state);
// Test seam: when set, called before each write to a ledger's temporary file with the offset
// and size of the write; a nonzero answer makes the write fail with that system error.
using WriteFault = std::uint32_t (*)(std::uint64_t offset, std::size_t size);
void SetWriteFaultIntl(WriteFault fault);

// --- ledger_sort.cpp ---

// True when the order changed.
bool SortRowsIntl(LedgerState& state, Column column, bool descending, Collation collation);

// --- ledger_messages.cpp ---

enum class FileAction { Read, Save };
// "Fichier <name>, ligne <n> : <reason>".
Result LineErrorIntl(ErrorKind kind, Column column, const std::string& name, std::uint64_t line);
// "Fichier <name> : ..." for Io (with the system's reason), TooLarge, Changed and Cancelled.
Result FileErrorIntl(ErrorKind kind, FileAction action, const std::string& name,
                     std::uint32_t systemError);
// The reason alone, for a field typed by the user, and the model's own refusals.
Result FieldErrorIntl(ErrorKind kind, Column column);

}  // namespace carnet
