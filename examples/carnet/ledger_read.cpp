// The ledger file's reader: the whole file in one buffer, then one pass over its lines. A fast
// path takes the usual unquoted line; anything else goes through the general parser, which
// splits RFC 4180 fields and says what is wrong.
#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#ifdef _MSC_VER
#include <intrin.h>
#endif
#endif

#include "entry_date.h"
#include "entry_label.h"
#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

constexpr std::size_t kReadSize = 1u << 20;  // bytes per read, counted while in the cache
constexpr std::size_t kChunk = 4u << 20;     // bytes between two progress calls

const char kHeader[3][9] = {"date", "libell\xE9", "montant"};

struct Field {
  const char* begin;  // the content, quotes excluded
  const char* end;
  bool doubled;  // holds doubled quotes
};

class LineParser {
 public:
  LineParser(const std::string& name, LedgerState& state) : name_(name), state_(state) {}

  Result Run(const Progress& progress, bool fastPath, std::size_t lineEnds);

 private:
  bool ParseFast(const char* line, const char* end, Row& row, const char*& next) const;
  bool ParseGeneral(const char* line, const char* end, Row& row, const char*& next);
  // Splits [line, end) into up to three fields; false (error_ set) on a quote or count error.
  bool Split(const char* line, const char* end, Field (&fields)[3]);
  bool Fail(ErrorKind kind, Column column = Column::Date) {
    error_ = LineErrorIntl(kind, column, name_, lineNumber_);
    return false;
  }

  const std::string& name_;
  LedgerState& state_;
  std::uint64_t lineNumber_ = 0;
  Result error_;
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
#endif

// The first byte at or after `p` that may not stand plain in a label; the padding after the
// file's bytes stops it. Sixteen bytes at a time where SSE2 is sure to be there.
#if defined(__SSE2__) || defined(_M_X64)
const char* SkipPlainLabel(const char* p) {
  const __m128i control = _mm_set1_epi8(0x1F);
  const __m128i others[] = {_mm_set1_epi8(';'),    _mm_set1_epi8('"'),    _mm_set1_epi8('\x7F'),
                            _mm_set1_epi8('\x81'), _mm_set1_epi8('\x8D'), _mm_set1_epi8('\x8F'),
                            _mm_set1_epi8('\x90'), _mm_set1_epi8('\x9D')};
  for (;; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i stop = _mm_cmpeq_epi8(_mm_min_epu8(bytes, control), bytes);  // below 0x20
    for (const __m128i& other : others) stop = _mm_or_si128(stop, _mm_cmpeq_epi8(bytes, other));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stop));
    if (mask != 0) return p + LowestBit(mask);
  }
}
#else
const char* SkipPlainLabel(const char* p) {
  while (kLabelByteKind[static_cast<unsigned char>(*p)] == kLabelPlain) ++p;
  return p;
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

// The common line: "dd/mm/yyyy;label;amount" unquoted. False sends it to ParseGeneral.
bool LineParser::ParseFast(const char* line, const char* end, Row& row, const char*& next) const {
  if (end - line < 14) return false;  // "dd/mm/yyyy;x;0"
  const int days = ScanDate(line);
  if (days < 0 || line[10] != ';') return false;
  const char* label = line + 11;
  const char* labelEnd = SkipPlainLabel(label);
  const std::size_t labelSize = static_cast<std::size_t>(labelEnd - label);
  if (*labelEnd != ';' || labelSize == 0 || labelSize > kLabelMaxBytes) return false;
  if (*label == ' ' && CheckLabel(label, labelSize) != LabelCheck::Ok) return false;
  Amount amount;
  const char* amountEnd = ScanAmount(labelEnd + 1, amount);
  if (amountEnd == nullptr) return false;
  if (amountEnd == end) {
    next = end;
  } else if (*amountEnd == '\n') {
    next = amountEnd + 1;
  } else if (*amountEnd == '\r' && amountEnd + 1 < end && amountEnd[1] == '\n') {
    next = amountEnd + 2;
  } else {
    return false;
  }
  row.units = amount.units;
  row.nanos = amount.nanos;
  row.at = static_cast<std::uint32_t>(line - state_.bytes.get());
  row.days = static_cast<std::uint16_t>(days);
  row.length = static_cast<std::uint8_t>(amountEnd - line);
  row.labelAt = 11;
  row.labelSize = static_cast<std::uint8_t>(labelSize);
  row.flags = 0;
  return true;
}

bool LineParser::Split(const char* line, const char* end, Field (&fields)[3]) {
  int count = 0;
  const char* at = line;
  for (;;) {
    Field field{at, at, false};
    if (at < end && *at == '"') {
      const char* quote = at + 1;
      for (;;) {
        quote = static_cast<const char*>(std::memchr(quote, '"', end - quote));
        if (quote == nullptr) return Fail(ErrorKind::UnclosedQuote, Column(count));
        if (quote + 1 == end || quote[1] != '"') break;
        field.doubled = true;
        quote += 2;
      }
      field = Field{at + 1, quote, field.doubled};
      at = quote + 1;
      if (at < end && *at != ';') return Fail(ErrorKind::MisplacedQuote, Column(count));
    } else {
      while (at < end && *at != ';') {
        if (*at == '"') return Fail(ErrorKind::MisplacedQuote, Column(count));
        ++at;
      }
      field.end = at;
    }
    fields[count++] = field;
    if (at == end) break;
    if (count == 3) return Fail(ErrorKind::ExtraField, Column::Amount);
    ++at;  // past the ';'
  }
  if (count < 3) return Fail(ErrorKind::MissingField, Column(count));
  return true;
}

bool LineParser::ParseGeneral(const char* line, const char* end, Row& row, const char*& next) {
  const char* contentEnd = LineEnd(line, end, next);
  Field fields[3];
  if (!Split(line, contentEnd, fields)) return false;

  const Field& date = fields[0];
  const int days = date.end - date.begin == kDateTextSize ? ScanDate(date.begin) : -1;
  if (days < 0) return Fail(ErrorKind::BadDate, Column::Date);

  const Field& label = fields[1];
  std::string unquoted;
  if (label.doubled) AppendUnquoted(unquoted, label.begin, label.end - label.begin);
  const LabelCheck check = label.doubled ? CheckLabel(unquoted.data(), unquoted.size())
                                         : CheckLabel(label.begin, label.end - label.begin);
  if (check == LabelCheck::Missing) return Fail(ErrorKind::MissingLabel, Column::Label);
  if (check == LabelCheck::TooLong) return Fail(ErrorKind::LongLabel, Column::Label);
  if (check == LabelCheck::BadCharacter) return Fail(ErrorKind::BadCharacter, Column::Label);

  const Field& amountField = fields[2];
  Amount amount;
  if (ScanAmount(amountField.begin, amount) != amountField.end)
    return Fail(ErrorKind::BadAmount, Column::Amount);

  row.units = amount.units;
  row.nanos = amount.nanos;
  row.at = static_cast<std::uint32_t>(line - state_.bytes.get());
  row.days = static_cast<std::uint16_t>(days);
  row.length = static_cast<std::uint8_t>(contentEnd - line);
  row.labelAt = static_cast<std::uint8_t>(label.begin - line);
  row.labelSize = static_cast<std::uint8_t>(label.end - label.begin);
  row.flags = label.doubled ? kRowDoubledQuotes : 0;
  return true;
}

Result LineParser::Run(const Progress& progress, bool fastPath, std::size_t lineEnds) {
  const char* const begin = state_.bytes.get();
  const char* const end = begin + state_.size;
  lineNumber_ = 1;
  if (state_.size == 0) {
    Fail(ErrorKind::Empty);
    return error_;
  }

  // The first line, split like the others.
  const char* next = begin;
  const char* headerEnd = LineEnd(begin, end, next);
  Field fields[3];
  bool header = Split(begin, headerEnd, fields);
  for (int i = 0; i < 3 && header; ++i) {
    const std::size_t size = static_cast<std::size_t>(fields[i].end - fields[i].begin);
    header = size == std::strlen(kHeader[i]) && std::memcmp(fields[i].begin, kHeader[i], size) == 0;
  }
  if (!header) {
    Fail(ErrorKind::Header);
    return error_;
  }

  // One Row per line: the lines are counted first so that the rows take no more than needed,
  // and each is parsed in place. The amounts add up in plain integers, a batch at a time.
  if (lineEnds == kUncounted) lineEnds = CountLineEnds(begin, end);
  state_.rows.resize(lineEnds);
  std::size_t count = 0;  // rows parsed
  AmountTotal total;
  const char* line = next;
  const char* report = line + kChunk;
  while (line < end) {
    // Only a count that fell short could get here: the rows never overrun.
    if (count == state_.rows.size()) state_.rows.resize(count + 4096);
    const std::size_t batchEnd = std::min(state_.rows.size(), count + 4096);
    Row* row = &state_.rows[count];
    std::int64_t units = 0;  // a batch's sums: at most 2^12 amounts below 10^15
    std::int64_t nanos = 0;
    for (; count < batchEnd && line < end; ++count, ++row, line = next) {
      ++lineNumber_;
      if (!(fastPath && ParseFast(line, end, *row, next)) && !ParseGeneral(line, end, *row, next))
        return error_;
      units += row->units;
      nanos += row->nanos;
    }
    total.AddSums(units, nanos);
    if (line >= report && progress) {
      report = line + kChunk;
      if (!progress(state_.size + (line - begin), 2 * state_.size))
        return FileErrorIntl(ErrorKind::Cancelled, FileAction::Read, name_, 0);
    }
  }
  state_.rows.resize(count);
  state_.total = total;
  return Result();
}

}  // namespace

bool AllocateBytesIntl(LedgerState& state, std::size_t size) {
  state.bytes.reset(new (std::nothrow) char[size + kBytesPadding]);
  if (!state.bytes) return false;
  state.size = size;
  std::memset(&state.bytes[size], '\n', kBytesPadding);
  return true;
}

Result ParseLedgerIntl(const std::string& name, LedgerState& state, const Progress& progress,
                       bool fastPath, std::size_t lineEnds) {
  LineParser parser(name, state);
  return parser.Run(progress, fastPath, lineEnds);
}

Result ReadLedgerFileIntl(const std::string& path, LedgerState& state, const Progress& progress) {
  PlatformFile file;
  std::uint64_t size = 0;
  if (!file.OpenRead(path) || !file.Size(size))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, file.error());
  if (size > kMaxFileBytes) return FileErrorIntl(ErrorKind::TooLarge, FileAction::Read, path, 0);
  if (!AllocateBytesIntl(state, static_cast<std::size_t>(size)))
    return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, PlatformNoMemoryError());

  // Progress counts reading as the first half of the work, parsing as the second.
  std::size_t done = 0;
  std::size_t lineEnds = 0;
  std::size_t report = kChunk;
  while (done < state.size) {
    std::size_t got = 0;
    if (!file.Read(&state.bytes[done], std::min(kReadSize, state.size - done), got))
      return FileErrorIntl(ErrorKind::Io, FileAction::Read, path, file.error());
    if (got == 0) return FileErrorIntl(ErrorKind::Changed, FileAction::Read, path, 0);
    lineEnds += CountLineEnds(&state.bytes[done], &state.bytes[done + got]);
    done += got;
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
  file.Close();

  Result result = ParseLedgerIntl(path, state, progress, true, lineEnds);
  if (result.ok() && progress && !progress(2 * state.size, 2 * state.size))
    return FileErrorIntl(ErrorKind::Cancelled, FileAction::Read, path, 0);
  return result;
}

}  // namespace carnet
