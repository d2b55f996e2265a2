// The ledger file's writer: the first line, then every entry's line as it is held (the file's
// own bytes for untouched entries), each ended by CR LF; saved through a flushed temporary
// file that replaces the ledger in one step.
#include <cstring>
#include <memory>
#include <new>

#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

constexpr std::size_t kChunk = 4u << 20;  // bytes between two writes, and two progress calls
constexpr char kHeaderLine[] = "date;libell\xE9;montant\r\n";
constexpr std::size_t kHeaderSize = sizeof kHeaderLine - 1;

WriteFault gWriteFault = nullptr;

std::uint64_t TotalBytes(const LedgerState& state) {
  std::uint64_t total = kHeaderSize;
  for (const Row& row : state.rows) total += row.length + 2u;
  return total;
}

// Hands the file's bytes to `sink` (a function of data and size that returns false to stop) in
// pieces of at most kChunk bytes. Untouched lines that follow each other in the file, each
// already ended by CR LF, go as one run straight from the file's bytes; the other lines, and
// runs too short to be worth a write of their own, are gathered in `buffer`.
template <typename Sink>
class LineWriter {
 public:
  LineWriter(const LedgerState& state, char* buffer, Sink& sink)
      : bytes_(state.bytes.get()), buffer_(buffer), sink_(sink) {}

  bool Write(const LedgerState& state) {
    if (!Put(kHeaderLine, kHeaderSize)) return false;
    for (const Row& row : state.rows) {
      if (!(row.flags & kRowEdited)) {
        // The padding after the file's bytes makes both reads safe at the file's end.
        const std::size_t end = std::size_t{row.at} + row.length;
        if (bytes_[end] == '\r' && bytes_[end + 1] == '\n') {
          if (row.at != runEnd_) {
            if (!FlushRun()) return false;
            runStart_ = row.at;
          }
          runEnd_ = end + 2;
          continue;
        }
      }
      if (!FlushRun() || !Put(RowLine(state, row), row.length) || !Put("\r\n", 2)) return false;
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

}  // namespace

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

Result SaveLedgerIntl(const LedgerState& state, const std::string& path, const Progress& progress) {
  std::uint32_t error = 0;
  if (!PlatformWritable(path, error))
    return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, error);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kChunk]);
  if (!buffer) return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, PlatformNoMemoryError());

  const std::string temporary = path + ".tmp";
  PlatformFile file;
  if (!file.Create(temporary, path))
    return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, file.error());

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
  if (complete && file.Flush() && file.Close() && PlatformReplace(temporary, path, error)) {
    return Result();
  }
  if (error == 0) error = file.error();
  file.Close();
  PlatformRemove(temporary);
  if (cancelled) return FileErrorIntl(ErrorKind::Cancelled, FileAction::Save, path, 0);
  return FileErrorIntl(ErrorKind::Io, FileAction::Save, path, error);
}

}  // namespace carnet
