// The ledger file's reader: the whole file in one buffer, its encoding decided, then one pass over
// its lines. A fast path takes the usual unquoted line; anything else goes through the general
// parser, which splits RFC 4180 fields and says what is wrong.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <thread>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#ifdef _MSC_VER
#include <intrin.h>
#endif
#endif

#include "entry_date.h"
#include "entry_encoding.h"
#include "entry_label.h"
#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

constexpr std::size_t kReadSize = 1u << 20;  // bytes per read, counted while in the cache
constexpr std::size_t kChunk = 4u << 20;     // bytes between two progress calls
// From this size on, the file's lines are parsed in as many parts as there are processors (four
// at most), side by side; below it a second thread would not pay for itself.
constexpr std::size_t kPartedBytes = 4u << 20;
constexpr unsigned kMostParts = 4;

// The first line's names, in code page 1252 and in UTF-8; the fourth is optional.
const char* const kHeaderNames[2][4] = {
    {"date", "libell\xE9", "montant", "cat\xE9gorie"},
    {"date", "libell\xC3\xA9", "montant", "cat\xC3\xA9gorie"},
};

#if defined(__SSE2__) || defined(_M_X64)
unsigned LowestBit(unsigned mask) {
#ifdef _MSC_VER
  unsigned long bit;
  _BitScanForward(&bit, mask);
  return bit;
#else
  return static_cast<unsigned>(__builtin_ctz(mask));
#endif
}

// The first byte at or after `p` that is ';', '"', DEL, below 0x20 or 0x80 and above (signed,
// those are below 0x20 too); the padding after the file's bytes stops it. Sixteen bytes a step.
const char* SkipPlain(const char* p) {
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i separator = _mm_set1_epi8(';');
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i erase = _mm_set1_epi8(0x7F);
  for (;; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i stop =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(bytes, space), _mm_cmpeq_epi8(bytes, separator)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, erase)));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stop));
    if (mask != 0) return p + LowestBit(mask);
  }
}
#else
const char* SkipPlain(const char* p) {
  for (;; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c >= 0x7F || c == ';' || c == '"') return p;
  }
}
#endif

// Counts the '\n' bytes. With SSE2, sixteen at a step: a match adds one to a byte-wide
// counter, and the counters are added up every 255 steps, before any can overflow.
std::size_t CountLineEnds(const char* p, const char* end) {
  std::size_t count = 0;
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i newline = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    __m128i counters = _mm_setzero_si128();
    for (int i = 0; i < 255 && end - p >= 16; ++i, p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, newline));
    }
    const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
  }
#endif
  return count + static_cast<std::size_t>(std::count(p, end, '\n'));
}

// Where the line's content ends (before "\r\n" or "\n") and where the next line starts.
const char* LineEnd(const char* line, const char* end, const char*& next) {
  const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', end - line));
  if (lineEnd == nullptr) {
    next = end;
    return end;
  }
  next = lineEnd + 1;
  return lineEnd > line && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
}

// Where the line's end begins at `p`, when one does: the next line's start, else nullptr.
const char* AfterLineEnd(const char* p, const char* end) {
  if (p >= end) return end;
  if (*p == '\n') return p + 1;
  if (*p == '\r' && p + 1 < end && p[1] == '\n') return p + 2;
  return nullptr;
}

ErrorKind KindOfCheck(LabelCheck check) {
  switch (check) {
    case LabelCheck::Missing:
      return ErrorKind::MissingLabel;
    case LabelCheck::TooLong:
      return ErrorKind::LongLabel;
    case LabelCheck::BadCharacter:
      return ErrorKind::BadCharacter;
    case LabelCheck::Ok:
      break;
  }
  return ErrorKind::None;
}

void SetAmount(Row& row, const Amount& amount) {
  row.milli = amount.units * 1000 + amount.nanos / 1000000;
  if (amount.nanos % 1000000 != 0) row.bits |= kRowWideAmount;
}

// What one part of the file gave.
struct PartResult {
  std::size_t count = 0;  // rows parsed
  std::size_t categorised = 0;
  AmountTotal total;
  bool failed = false;
  Result error;  // the part's first refused line, or Cancelled
};

unsigned PartsFor(std::size_t size) {
  if (size < kPartedBytes) return 1;
  return std::max(1u, std::min(kMostParts, std::thread::hardware_concurrency()));
}

class LineParser {
 public:
  LineParser(const std::string& name, LedgerState& state) : name_(name), state_(state) {}

  // The encoding and the first line; false with error() set when refused. `next` is where the
  // entries start.
  bool ReadStart(const char*& next);
  // Parses the lines in [line, end) into the rows from `row` on, the first being line `number`.
  // `progress` is called from the thread that reads; a part gives up once `failed` names a part
  // before it (whose error comes first).
  void ParsePart(const char* line, const char* end, std::size_t row, std::uint64_t number,
                 bool fastPath, const Progress* progress, const std::atomic<unsigned>& failed,
                 unsigned index, PartResult& part);
  const Result& error() const { return error_; }
  bool shortDate() const { return firstShortDate_; }

 private:
  bool ReadEncoding();
  bool ReadHeader(const char*& next);
  // Past the bytes a label or category may hold plain: the stop is what the fast path cannot
  // take itself (';' ends the field; a quote, a control byte, a byte 1252 leaves undefined, what
  // looks like UTF-8 in a 1252 file, a C1 control in a UTF-8 file go to the general parser).
  const char* SkipText(const char* p) const;
  bool ParseFast(const char* line, const char* end, Row& row, Amount& amount, const char*& next);
  bool ParseGeneral(const char* line, const char* end, Row& row, Amount& amount, const char*& next);
  bool CheckText(const Field& field, Column column);
  bool Fail(ErrorKind kind, Column column = Column::Date) {
    error_ = LineErrorIntl(kind, column, name_, lineNumber_);
    return false;
  }

  const std::string& name_;
  LedgerState& state_;
  bool utf8_ = false;
  int fields_ = 3;
  bool shortDate_ = false;       // the last line's date was dd/mm/yy
  bool firstShortDate_ = false;  // the first entry's
  std::uint64_t lineNumber_ = 0;
  Result error_;
};

bool LineParser::ReadEncoding() {
  const char* begin = state_.bytes.get();
  const char* end = begin + state_.size;
  const bool marked = state_.size >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0;
  bool nonAscii = false;
  const char* bad = FindInvalidUtf8(begin + (marked ? 3 : 0), end, nonAscii);
  if (marked) {
    state_.encoding = Encoding::Utf8Bom;
    state_.headerAt = 3;
  } else if (bad == end) {
    state_.encoding = nonAscii ? Encoding::Utf8 : Encoding::Windows1252;
  } else {
    // Not UTF-8 throughout: code page 1252, unless the first line is UTF-8 (its "libellé").
    const char* lineEnd = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
    bool headerNonAscii = false;
    const bool utf8Header = lineEnd != nullptr && bad > lineEnd &&
                            FindInvalidUtf8(begin, lineEnd, headerNonAscii) == lineEnd &&
                            headerNonAscii;
    state_.encoding = Encoding::Windows1252;
    if (!utf8Header) return true;
  }
  utf8_ = state_.encoding != Encoding::Windows1252;
  if (bad == end) return true;
  lineNumber_ = 1 + CountLineEnds(begin, bad);
  return Fail(ErrorKind::BadUtf8, Column::Label);
}

bool LineParser::ReadHeader(const char*& next) {
  const char* begin = state_.bytes.get() + state_.headerAt;
  const char* end = state_.bytes.get() + state_.size;
  const char* headerEnd = LineEnd(begin, end, next);
  state_.headerSize = static_cast<std::size_t>(headerEnd - begin);
  state_.lineFeeds = next != headerEnd && next - 1 == headerEnd;
  Field fields[4];
  int count = 0;
  int column = 0;
  bool header =
      SplitFieldsIntl(begin, headerEnd, fields, 4, count, column) == ErrorKind::None && count >= 3;
  for (int i = 0; i < count && header; ++i) {
    const char* name = kHeaderNames[utf8_ ? 1 : 0][i];
    const std::size_t size = static_cast<std::size_t>(fields[i].end - fields[i].begin);
    header = size == std::strlen(name) && std::memcmp(fields[i].begin, name, size) == 0;
  }
  if (!header) return Fail(ErrorKind::Header);
  fields_ = count;
  state_.categoryField = count == 4;
  return true;
}

inline const char* LineParser::SkipText(const char* p) const {
  for (;; ++p) {
    p = SkipPlain(p);
    const unsigned char c = static_cast<unsigned char>(*p);
    const unsigned char after = static_cast<unsigned char>(p[1]);  // the padding at the end
    if (c < 0x80) return p;
    if (utf8_) {
      if (c == 0xC2 && after < 0xA0) return p;
    } else if (kLabelByteKind[c] == kLabelRefused ||
               (c >= 0xC2 && c <= 0xF4 && (after & 0xC0) == 0x80)) {
      return p;
    }
  }
}

// The common line: "dd/mm/yyyy;label;amount[;category]" unquoted. False sends it to
// ParseGeneral.
bool LineParser::ParseFast(const char* line, const char* end, Row& row, Amount& amount,
                           const char*& next) {
  if (end - line < 12) return false;  // "dd/mm/yy;x;0"
  int days;
  const char* label;
  if (line[10] == ';' && (days = ScanDate(line)) >= 0) {
    label = line + 11;
    shortDate_ = false;
  } else if (line[8] == ';' && (days = ScanShortDate(line)) >= 0) {
    label = line + 9;
    shortDate_ = true;
  } else {
    return false;
  }
  const char* labelEnd = SkipText(label);
  const std::size_t labelSize = static_cast<std::size_t>(labelEnd - label);
  if (*labelEnd != ';' || labelSize == 0 || labelSize > kLabelMaxBytes) return false;
  if (*label == ' ' && CheckLabel(label, labelSize) != LabelCheck::Ok) return false;
  const char* amountEnd = ScanAmountPadded(labelEnd + 1, amount);
  if (amountEnd == nullptr) return false;
  const char* contentEnd = amountEnd;
  std::uint16_t flags = 0;
  if (fields_ == 4) {
    if (*amountEnd != ';') return false;
    const char* category = amountEnd + 1;
    contentEnd = SkipText(category);
    const std::size_t size = static_cast<std::size_t>(contentEnd - category);
    if (size > kLabelMaxBytes || (*category == ' ' && CheckLabel(category, size) != LabelCheck::Ok))
      return false;
    if (size > 0) flags = kRowCategorised;
  }
  next = AfterLineEnd(contentEnd, end);
  if (next == nullptr) return false;
  row.at = static_cast<std::uint32_t>(line - state_.bytes.get());
  row.days = static_cast<std::uint16_t>(days);
  row.bits = static_cast<std::uint16_t>((contentEnd - line) | flags);
  return true;
}

bool LineParser::CheckText(const Field& field, Column column) {
  std::string unquoted;
  const char* text = field.begin;
  std::size_t size = static_cast<std::size_t>(field.end - field.begin);
  if (field.doubled) {
    AppendUnquoted(unquoted, text, size);
    text = unquoted.data();
    size = unquoted.size();
  }
  const ErrorKind kind = KindOfCheck(utf8_ ? CheckLabelUtf8(text, size) : CheckLabel(text, size));
  if (kind != ErrorKind::None) return Fail(kind, column);
  if (!utf8_ && HoldsUtf8Sequence(text, size)) return Fail(ErrorKind::MixedEncoding, column);
  return true;
}

bool LineParser::ParseGeneral(const char* line, const char* end, Row& row, Amount& amount,
                              const char*& next) {
  const char* contentEnd = LineEnd(line, end, next);
  Field fields[4];
  int count = 0;
  int column = 0;
  const ErrorKind split = SplitFieldsIntl(line, contentEnd, fields, fields_, count, column);
  if (split != ErrorKind::None) return Fail(split, Column(column));
  if (count < fields_) return Fail(ErrorKind::MissingField, Column(count));

  const Field& date = fields[0];
  const std::size_t dateSize = static_cast<std::size_t>(date.end - date.begin);
  const int days = dateSize == kDateTextSize        ? ScanDate(date.begin)
                   : dateSize == kShortDateTextSize ? ScanShortDate(date.begin)
                                                    : -1;
  if (days < 0) return Fail(ErrorKind::BadDate, Column::Date);
  shortDate_ = dateSize == kShortDateTextSize;

  if (!CheckText(fields[1], Column::Label)) return false;

  const Field& amountField = fields[2];
  if (ScanAmount(amountField.begin, amount) != amountField.end)
    return Fail(ErrorKind::BadAmount, Column::Amount);

  std::uint16_t flags = 0;
  if (fields_ == 4 && fields[3].end != fields[3].begin) {
    if (!CheckText(fields[3], Column::Category)) return false;
    flags = kRowCategorised;
  }
  row.at = static_cast<std::uint32_t>(line - state_.bytes.get());
  row.days = static_cast<std::uint16_t>(days);
  row.bits = static_cast<std::uint16_t>((contentEnd - line) | flags);
  return true;
}

bool LineParser::ReadStart(const char*& next) {
  lineNumber_ = 1;
  next = state_.bytes.get();
  if (state_.size == 0) return Fail(ErrorKind::Empty);
  return ReadEncoding() && ReadHeader(next);
}

void LineParser::ParsePart(const char* line, const char* end, std::size_t row, std::uint64_t number,
                           bool fastPath, const Progress* progress,
                           const std::atomic<unsigned>& failed, unsigned index, PartResult& part) {
  // The amounts add up in plain integers, a batch at a time.
  const char* const first = line;
  // The progress of this part stands for all of them: a call for every kChunk bytes of them.
  const std::size_t every = static_cast<std::size_t>(static_cast<std::uint64_t>(kChunk) *
                                                     static_cast<std::uint64_t>(end - line) /
                                                     std::max<std::size_t>(1, state_.size));
  const char* report = line + every;
  lineNumber_ = number - 1;
  std::size_t count = row;
  const char* next = line;
  while (line < end) {
    const std::size_t batchEnd = count + 4096;
    std::int64_t units = 0;  // a batch's sums: at most 2^12 amounts below 10^15
    std::int64_t nanos = 0;
    for (; count < batchEnd && line < end; ++count, line = next) {
      ++lineNumber_;
      Row& entry = state_.rows[count];
      Amount amount;
      if (!(fastPath && ParseFast(line, end, entry, amount, next)) &&
          !ParseGeneral(line, end, entry, amount, next)) {
        part.failed = true;
        part.error = error_;
        return;
      }
      SetAmount(entry, amount);
      units += amount.units;
      nanos += amount.nanos;
      part.categorised += (entry.bits & kRowCategorised) != 0;
      if (count == 0) firstShortDate_ = shortDate_;
    }
    part.total.AddSums(units, nanos);
    part.count = count - row;
    if (failed.load(std::memory_order_relaxed) < index) return;
    if (line >= report && progress != nullptr && *progress) {
      report = line + every;
      // Parsing is the second half of the work.
      const std::uint64_t share = static_cast<std::uint64_t>(line - first) * state_.size /
                                  static_cast<std::uint64_t>(end - first);
      if (!(*progress)(state_.size + std::min<std::uint64_t>(share, state_.size - 1),
                       2 * state_.size)) {
        part.failed = true;
        part.error = FileErrorIntl(ErrorKind::Cancelled, FileAction::Read, name_, 0);
        return;
      }
    }
  }
}

}  // namespace

ErrorKind SplitFieldsIntl(const char* line, const char* end, Field* fields, int most, int& count,
                          int& column) {
  count = 0;
  const char* at = line;
  for (;;) {
    Field field{at, at, false};
    column = count;
    if (at < end && *at == '"') {
      const char* quote = at + 1;
      for (;;) {
        quote = static_cast<const char*>(std::memchr(quote, '"', end - quote));
        if (quote == nullptr) return ErrorKind::UnclosedQuote;
        if (quote + 1 == end || quote[1] != '"') break;
        field.doubled = true;
        quote += 2;
      }
      field = Field{at + 1, quote, field.doubled};
      at = quote + 1;
      if (at < end && *at != ';') return ErrorKind::MisplacedQuote;
    } else {
      while (at < end && *at != ';') {
        if (*at == '"') return ErrorKind::MisplacedQuote;
        ++at;
      }
      field.end = at;
    }
    fields[count++] = field;
    if (at == end) return ErrorKind::None;
    if (count == most) {
      column = most - 1;
      return ErrorKind::ExtraField;
    }
    ++at;  // past the ';'
  }
}

bool AllocateBytesIntl(LedgerState& state, std::size_t size) {
  state.bytes.reset(new (std::nothrow) char[size + kBytesPadding]);
  if (!state.bytes) return false;
  state.size = size;
  std::memset(&state.bytes[size], '\n', kBytesPadding);
  return true;
}

// The lines parsed in parts, part 0 on this thread and the others on `sides`.
static Result ParseParts(const std::string& name, LedgerState& state, const Progress& progress,
                         bool fastPath, const std::vector<std::size_t>* lineEnds,
                         SideThreads& sides) {
  LineParser start(name, state);
  const char* next = nullptr;
  if (!start.ReadStart(next)) return start.error();
  const char* const begin = state.bytes.get();
  const char* const end = begin + state.size;
  std::vector<std::size_t> counted;
  if (lineEnds == nullptr) {
    for (std::size_t at = 0; at < state.size; at += kReadSize)
      counted.push_back(CountLineEnds(begin + at, begin + std::min(state.size, at + kReadSize)));
    lineEnds = &counted;
  }
  std::vector<std::size_t> before(lineEnds->size() + 1, 0);  // line ends before each piece
  for (std::size_t i = 0; i < lineEnds->size(); ++i) before[i + 1] = before[i] + (*lineEnds)[i];
  const auto linesBefore = [&](const char* at) {
    const std::size_t piece = static_cast<std::size_t>(at - begin) / kReadSize;
    return before[piece] + CountLineEnds(begin + piece * kReadSize, at);
  };

  // The parts start at lines; each knows its first row from the line ends before it.
  const unsigned parts = sides.count() + 1;
  std::vector<const char*> starts(parts + 1, end);
  starts[0] = next;
  for (unsigned k = 1; k < parts; ++k) {
    const char* at = next + static_cast<std::size_t>(end - next) / parts * k;
    at = std::max(at, starts[k - 1]);
    const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', end - at));
    starts[k] = lineEnd == nullptr ? end : lineEnd + 1;
  }
  const std::size_t headerLines = linesBefore(next);
  std::vector<std::size_t> firstRows(parts + 1);
  for (unsigned k = 0; k < parts; ++k) firstRows[k] = linesBefore(starts[k]) - headerLines;
  firstRows[parts] = before.back() - headerLines + (end > next && end[-1] != '\n' ? 1 : 0);
  state.rows.resize(firstRows[parts]);

  ShortYears();  // made once, before the parts may need it
  std::vector<LineParser> parsers(parts, start);
  std::vector<PartResult> results(parts);
  std::atomic<unsigned> failed{parts};
  const auto run = [&](unsigned k) {
    parsers[k].ParsePart(starts[k], starts[k + 1], firstRows[k], 2 + firstRows[k], fastPath,
                         k == 0 ? &progress : nullptr, failed, k, results[k]);
    if (!results[k].failed) return;
    unsigned seen = failed.load();
    while (k < seen && !failed.compare_exchange_weak(seen, k)) {
    }
  };
  sides.Start(run);
  run(0);
  sides.Wait();

  AmountTotal total;
  std::size_t categorised = 0;
  for (const PartResult& part : results) {
    if (part.failed) return part.error;
    total.Add(part.total);
    categorised += part.categorised;
  }
  state.total = total;
  state.categorised = categorised;
  state.shortDates = !state.rows.empty() && parsers[0].shortDate();
  return Result();
}

Result ParseLedgerIntl(const std::string& name, LedgerState& state, const Progress& progress,
                       bool fastPath, const std::vector<std::size_t>* lineEnds) {
  SideThreads sides(PartsFor(state.size) - 1);
  return ParseParts(name, state, progress, fastPath, lineEnds, sides);
}

Result ReadLedgerFileIntl(const std::string& path, LedgerState& state, const Progress& progress) {
  PlatformFile& file = state.lock;
  std::uint64_t size = 0;
  if (!file.OpenLocked(path, state.lockState) || !file.Size(size))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, file.error());
  if (size > kMaxFileBytes) return FileErrorIntl(ErrorKind::TooLarge, FileAction::Read, path, 0);
  if (!AllocateBytesIntl(state, static_cast<std::size_t>(size)))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, PlatformNoMemoryError());

  // The parse's threads start now; the first makes the buffer's pages ahead of the reads.
  SideThreads sides(PartsFor(state.size) - 1);
  PageMaker pages(sides.count() > 0);
  sides.Start([&](unsigned k) {
    if (k == 1) pages.Make(state.bytes.get(), state.size);
  });
  struct StopMaking {
    PageMaker& pages;
    SideThreads& sides;
    ~StopMaking() {
      pages.Stop();
      sides.Wait();
    }
  } stopMaking{pages, sides};

  // Progress counts reading as the first half of the work, parsing as the second. The line ends
  // of each piece of kReadSize bytes are counted as soon as it is read, while in the cache.
  std::size_t done = 0;
  std::vector<std::size_t> lineEnds;
  std::size_t report = kChunk;
  while (done < state.size) {
    std::size_t got = 0;
    const std::size_t want = pages.Take(done, std::min(kReadSize, state.size - done));
    if (!file.Read(&state.bytes[done], want, got))
      return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, file.error());
    if (got == 0) return FileErrorIntl(ErrorKind::Changed, FileAction::Read, path, 0);
    done += got;
    for (std::size_t at = lineEnds.size() * kReadSize;
         at < done && (done - at >= kReadSize || done == state.size); at += kReadSize) {
      lineEnds.push_back(
          CountLineEnds(&state.bytes[at], &state.bytes[std::min(done, at + kReadSize)]));
    }
    if (done < report && done < state.size) continue;
    report = done + kChunk;
    if (progress && !progress(done, 2 * state.size))
      return FileErrorIntl(ErrorKind::Cancelled, FileAction::Read, path, 0);
  }
  char extra;
  std::size_t got = 0;
  if (!file.Read(&extra, 1, got))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, file.error());
  if (got != 0) return FileErrorIntl(ErrorKind::Changed, FileAction::Read, path, 0);
  state.stamped = file.Stamp(state.stamp);
  // Only the lock's holder keeps the file open.
  if (state.lockState != LockState::Held) file.Close();
  sides.Wait();

  Result result = ParseParts(path, state, progress, true, &lineEnds, sides);
  if (result.ok() && progress && !progress(2 * state.size, 2 * state.size))
    return FileErrorIntl(ErrorKind::Cancelled, FileAction::Read, path, 0);
  return result;
}

}  // namespace carnet
