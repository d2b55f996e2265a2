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

// Fills a buffer of kChunk bytes with lines and hands each full buffer to `flush`, which
// returns false to stop.
template <typename Flush>
bool WriteLines(const LedgerState& state, char* buffer, Flush&& flush) {
  std::memcpy(buffer, kHeaderLine, kHeaderSize);
  std::size_t used = kHeaderSize;
  for (const Row& row : state.rows) {
    if (kChunk - used < 256u + 2u) {
      if (!flush(buffer, used)) return false;
      used = 0;
    }
    std::memcpy(buffer + used, RowLine(state, row), row.length);
    used += row.length;
    buffer[used++] = '\r';
    buffer[used++] = '\n';
  }
  return flush(buffer, used);
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
