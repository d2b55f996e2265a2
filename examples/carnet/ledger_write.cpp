// The ledger file's writer: a byte-order mark if the file had one, the first line, then every
// entry's line as it is held (the file's own bytes for untouched entries), each ended as the
// file's lines end; saved through a flushed temporary file of its own, created exclusively, that
// replaces the ledger in one step after the ledger's present file became its backup.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

constexpr std::size_t kChunk = 4u << 20;  // bytes between two writes, and two progress calls
constexpr int kLeftoverAge = 10;          // seconds a leftover is left alone after a change
constexpr char kMark[] = "\xEF\xBB\xBF";
// The first line written anew, in code page 1252 and in UTF-8, with three or four fields.
const char* const kHeaderLines[2][2] = {
    {"date;libell\xE9;montant", "date;libell\xE9;montant;cat\xE9gorie"},
    {"date;libell\xC3\xA9;montant", "date;libell\xC3\xA9;montant;cat\xC3\xA9gorie"},
};

WriteFault gWriteFault = nullptr;
int gLeftoverAge = kLeftoverAge;

// The shape of the file written: four fields once an entry has a category (or the file had the
// field), and the file's own line ends.
struct Shape {
  explicit Shape(const LedgerState& state)
      : fourFields(state.categoryField || state.categorised > 0),
        ending(state.lineFeeds ? "\n" : "\r\n"),
        endingSize(state.lineFeeds ? 1 : 2) {}
  bool fourFields;
  const char* ending;
  std::size_t endingSize;
};

// A line of three fields written in a file of four gets an empty category.
bool AddsCategory(const LedgerState& state, const Shape& shape, const Row& row) {
  return shape.fourFields && !state.categoryField &&
         !((row.bits & kRowEdited) && (row.bits & kRowCategorised));
}

bool KeepsHeader(const LedgerState& state, const Shape& shape) {
  return state.bytes != nullptr && shape.fourFields == state.categoryField;
}

const char* HeaderLine(const LedgerState& state, const Shape& shape) {
  return kHeaderLines[state.encoding == Encoding::Windows1252 ? 0 : 1][shape.fourFields ? 1 : 0];
}

std::uint64_t TotalBytes(const LedgerState& state) {
  const Shape shape(state);
  std::uint64_t total =
      (state.encoding == Encoding::Utf8Bom ? 3 : 0) + shape.endingSize +
      (KeepsHeader(state, shape) ? state.headerSize : std::strlen(HeaderLine(state, shape)));
  for (const Row& row : state.rows)
    total += row.length() + shape.endingSize + (AddsCategory(state, shape, row) ? 1 : 0);
  return total;
}

// Hands the file's bytes to `sink` (a function of data and size that returns false to stop) in
// pieces of at most kChunk bytes. Untouched lines that follow each other in the file, each
// already ended as the file's lines end, go as one run straight from the file's bytes; the other
// lines, and runs too short to be worth a write of their own, are gathered in `buffer`.
template <typename Sink>
class LineWriter {
 public:
  LineWriter(const LedgerState& state, char* buffer, Sink& sink)
      : bytes_(state.bytes.get()), buffer_(buffer), sink_(sink) {}

  bool Write(const LedgerState& state) {
    const Shape shape(state);
    if (state.encoding == Encoding::Utf8Bom && !Put(kMark, 3)) return false;
    const bool header = KeepsHeader(state, shape)
                            ? Put(bytes_ + state.headerAt, state.headerSize)
                            : Put(HeaderLine(state, shape), std::strlen(HeaderLine(state, shape)));
    if (!header || !Put(shape.ending, shape.endingSize)) return false;
    for (const Row& row : state.rows) {
      const bool adds = AddsCategory(state, shape, row);
      if (!(row.bits & kRowEdited) && !adds) {
        // The padding after the file's bytes makes the reads safe at the file's end.
        const std::size_t end = std::size_t{row.at} + row.length();
        if (std::memcmp(bytes_ + end, shape.ending, shape.endingSize) == 0) {
          if (row.at != runEnd_) {
            if (!FlushRun()) return false;
            runStart_ = row.at;
          }
          runEnd_ = end + shape.endingSize;
          continue;
        }
      }
      if (!FlushRun() || !Put(RowLineIntl(state, row), row.length()) || (adds && !Put(";", 1)) ||
          !Put(shape.ending, shape.endingSize)) {
        return false;
      }
    }
    return FlushRun() && Flush();
  }

 private:
  static constexpr std::size_t kDirectRun = 64u << 10;

  bool Put(const char* data, std::size_t size) {
    while (size > 0) {
      if (used_ == kChunk && !Flush()) return false;
      const std::size_t piece = size < kChunk - used_ ? size : kChunk - used_;
      std::memcpy(buffer_ + used_, data, piece);
      used_ += piece;
      data += piece;
      size -= piece;
    }
    return true;
  }

  bool Flush() {
    const std::size_t used = used_;
    used_ = 0;
    return used == 0 || sink_(buffer_, used);
  }

  bool FlushRun() {
    const char* data = bytes_ + runStart_;
    std::size_t size = runEnd_ - runStart_;
    runStart_ = runEnd_ = 0;
    if (size < kDirectRun) return Put(data, size);
    if (!Flush()) return false;
    for (std::size_t piece; size > 0; data += piece, size -= piece) {
      piece = size < kChunk ? size : kChunk;
      if (!sink_(data, piece)) return false;
    }
    return true;
  }

  const char* bytes_;
  char* buffer_;  // kChunk bytes
  Sink& sink_;
  std::size_t used_ = 0;      // bytes gathered in buffer_
  std::size_t runStart_ = 0;  // the run of the file's bytes not written yet; empty when equal
  std::size_t runEnd_ = 0;
};

template <typename Sink>
bool WriteLines(const LedgerState& state, char* buffer, Sink&& sink) {
  LineWriter<Sink> writer(state, buffer, sink);
  return writer.Write(state);
}

// "<path>.<16 hex digits>.tmp": a name of this save's own.
std::string TemporaryName(const std::string& path) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx",
                static_cast<unsigned long long>(PlatformUniqueNumber()));
  return path + "." + digits + ".tmp";
}

bool IsLeftoverName(const std::string& name, const std::string& file) {
  if (name == file + ".tmp") return true;  // what saves wrote before they had names of their own
  if (name.size() != file.size() + 1 + 16 + 4 || name.compare(name.size() - 4, 4, ".tmp") != 0)
    return false;
  for (std::size_t i = file.size() + 1; i < file.size() + 1 + 16; ++i)
    if (!((name[i] >= '0' && name[i] <= '9') || (name[i] >= 'a' && name[i] <= 'f'))) return false;
  return true;
}

}  // namespace

void RemoveLeftoversIntl(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string file = path.substr(folder.size());
  for (const std::string& name : PlatformFolderNames(path, file + "."))
    if (IsLeftoverName(name, file)) PlatformRemoveLeftover(folder + name, gLeftoverAge);
}

void SetLeftoverAgeIntl(int seconds) {
  gLeftoverAge = seconds;
}

void SetWriteFaultIntl(WriteFault fault) {
  gWriteFault = fault;
}

std::string SerializeLedgerIntl(const LedgerState& state) {
  std::string out;
  out.reserve(static_cast<std::size_t>(TotalBytes(state)));
  std::unique_ptr<char[]> buffer(new char[kChunk]);
  WriteLines(state, buffer.get(), [&](const char* data, std::size_t size) {
    out.append(data, size);
    return true;
  });
  return out;
}

Result SaveLedgerIntl(LedgerState& state, const std::string& path, const Progress& progress) {
  std::uint32_t error = 0;
  if (!PlatformWritable(path, error))
    return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, error);
  RemoveLeftoversIntl(path);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kChunk]);
  if (!buffer) return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, PlatformNoMemoryError());

  // A name of its own, created only if it does not exist: two saves never write one file.
  PlatformFile file;
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    temporary = TemporaryName(path);
    if (file.CreateNew(temporary, path)) break;
    if (!PlatformExistsError(file.error()) || attempt == 100)
      return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, file.error());
  }

  const std::uint64_t total = TotalBytes(state);
  std::uint64_t written = 0;
  bool cancelled = false;
  const bool complete = WriteLines(state, buffer.get(), [&](const char* data, std::size_t size) {
    error = gWriteFault ? gWriteFault(written, size) : 0;
    if (error != 0 || !file.Write(data, size)) return false;
    written += size;
    cancelled = progress && !progress(written, total);
    return !cancelled;
  });
  if (complete && file.Flush()) {
    if (!PlatformCommit(file, temporary, path, path + ".bak", TemporaryName(path), state.lock,
                        state.lockState, error)) {
      return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, error);
    }
    state.stamped =
        state.lock.IsOpen() ? state.lock.Stamp(state.stamp) : PlatformStamp(path, state.stamp);
    return Result();
  }
  if (error == 0) error = file.error();
  file.Close();
  PlatformRemove(temporary);
  if (cancelled) return FileErrorIntl(ErrorKind::Cancelled, FileAction::Save, path, 0);
  return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, error);
}

}  // namespace carnet
