// Carnet's ledger reader over any bytes: no crash; a refusal names a line of the input and
// leaves the open ledger alone; the fast path and the general parser agree on every line; what
// is accepted is written back byte for byte (its mark and first line kept, each line ended as the
// first one is), reads back the same, and totals as its amounts added one by one, entry by entry
// in the running balance too. Then changes picked from the input's bytes: each is undone back to
// the bytes first written and redone to the same result; a period shows what a count by hand
// finds.
#include <string>

#include "entry_amount.h"
#include "fuzz_input.h"
#include "ledger.h"
#include "ledger_intl.h"

namespace {

using carnet::Column;

constexpr char kHeader[] = "date;libell\xE9;montant\r\n";

bool SameRows(const carnet::LedgerState& a, const carnet::LedgerState& b) {
  if (a.rows.size() != b.rows.size()) return false;
  for (std::size_t i = 0; i < a.rows.size(); ++i) {
    const carnet::Row& x = a.rows[i];
    const carnet::Row& y = b.rows[i];
    if (x.milli != y.milli || x.at != y.at || x.days != y.days || x.bits != y.bits) return false;
  }
  return a.total.Text() == b.total.Text() && a.categorised == b.categorised &&
         a.shortDates == b.shortDates;
}

carnet::Result Parse(const std::string& bytes, carnet::LedgerState& state, bool fastPath) {
  carnet::AllocateBytesIntl(state, bytes.size());
  bytes.copy(state.bytes.get(), bytes.size());
  return carnet::ParseLedgerIntl("f", state, carnet::Progress(), fastPath);
}

// The input's lines, each without its end, then the end of the first line (LF alone, or CR LF).
std::string Rewritten(const std::string& bytes) {
  const std::size_t first = bytes.find('\n');
  const bool lineFeeds = first != std::string::npos && (first == 0 || bytes[first - 1] != '\r');
  const std::string ending = lineFeeds ? "\n" : "\r\n";
  std::string out;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    const bool ended = end != std::string::npos;
    if (!ended) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    out += line + ending;
    start = end + 1;
  }
  return out;
}

// A change picked by one byte of the input; false when the ledger refused it.
bool Change(carnet::Ledger& ledger, unsigned char pick, std::size_t at) {
  const std::size_t count = ledger.Count();
  const std::size_t entry = count == 0 ? 0 : at % count;
  switch (pick % 6) {
    case 0:
      return ledger.Set(entry, Column::Amount, std::to_string(pick) + ",25").ok();
    case 1:
      return ledger.Set(entry, Column::Label, "libell\xE9 " + std::to_string(at)).ok();
    case 2:
      return ledger.Set(entry, Column::Category, pick % 12 ? "cat\xE9gorie" : "").ok();
    case 3:
      return ledger.Add("0" + std::to_string(1 + pick % 9) + "/03/2024", "ajout", "-7,5").ok();
    case 4:
      return ledger.Delete({entry, at % (count + 1)}).ok();
    default:
      ledger.Sort(Column(pick / 6 % 4), pick / 24 % 2 != 0, carnet::ByteCollation);
      return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  carnet::LedgerState fast;
  carnet::LedgerState general;
  const carnet::Result result = Parse(bytes, fast, true);
  const carnet::Result generalResult = Parse(bytes, general, false);
  FUZZ_CHECK(result.kind == generalResult.kind && result.line == generalResult.line);

  carnet::Ledger ledger;
  FUZZ_CHECK(ledger.Load(std::string(kHeader) + "01/01/2024;x;1\r\n", "avant").ok());
  const carnet::Result loaded = ledger.Load(bytes, "f");
  FUZZ_CHECK(loaded.kind == result.kind && loaded.line == result.line);
  if (!loaded.ok()) {
    std::uint64_t lines = 1;
    for (char c : bytes) lines += c == '\n';
    FUZZ_CHECK(loaded.line >= 1 && loaded.line <= lines);
    FUZZ_CHECK(loaded.message.rfind("Fichier f, ligne " + std::to_string(loaded.line) + " : ", 0) ==
               0);
    FUZZ_CHECK(ledger.Count() == 1 && ledger.TotalText() == "1" && ledger.Path().empty());
    return 0;
  }
  FUZZ_CHECK(SameRows(fast, general));

  const std::string written = ledger.Serialize();
  FUZZ_CHECK(written == Rewritten(bytes));
  carnet::Ledger again;
  FUZZ_CHECK(again.Load(written, "g").ok());
  FUZZ_CHECK(again.Count() == ledger.Count() && again.TotalText() == ledger.TotalText());
  FUZZ_CHECK(again.FileEncoding() == ledger.FileEncoding());
  for (std::size_t i = 0; i < ledger.Count(); ++i) {
    for (Column column : {Column::Date, Column::Label, Column::Amount, Column::Category}) {
      const std::string text = ledger.Text(i, column);
      FUZZ_CHECK(again.Text(i, column) == text);
      // A cell's own text is a valid value, and setting it changes nothing.
      FUZZ_CHECK(again.Set(i, column, text).ok());
    }
  }
  FUZZ_CHECK(!again.Dirty() && again.Serialize() == written);

  // The reader's batched total and the running balance are the one-by-one sums.
  carnet::AmountTotal sum;
  for (std::size_t i = 0; i < ledger.Count(); ++i) {
    carnet::Amount amount;
    FUZZ_CHECK(carnet::ParseAmount(ledger.Text(i, Column::Amount), amount));
    sum.Add(amount);
    FUZZ_CHECK(ledger.BalanceText(i) == sum.Text());
  }
  FUZZ_CHECK(sum.Text() == ledger.TotalText());

  // Changes picked from the input, then all undone and all redone.
  std::string after;
  int steps = 0;
  for (std::size_t i = 0; i < size && i < 24; ++i) {
    const std::string before = ledger.Serialize();
    const bool dirty = ledger.Dirty();
    if (!Change(ledger, data[i], i * 7919)) {
      FUZZ_CHECK(ledger.Serialize() == before && ledger.Dirty() == dirty);
      continue;
    }
    if (ledger.Serialize() != before) ++steps;
  }
  after = ledger.Serialize();
  carnet::Ledger reread;
  FUZZ_CHECK(reread.Load(after, "h").ok() && reread.TotalText() == ledger.TotalText());
  int undone = 0;
  while (ledger.Undo()) ++undone;
  FUZZ_CHECK(undone >= steps);
  FUZZ_CHECK(ledger.Serialize() == written && !ledger.Dirty());
  while (ledger.Redo()) {
  }
  FUZZ_CHECK(ledger.Serialize() == after);

  // A period: the entries a count by hand keeps, and the total follows them.
  FUZZ_CHECK(ledger.SetPeriod("02/01/2024", "05/03/2024").ok());
  std::size_t kept = 0;
  carnet::AmountTotal shown;
  for (std::size_t i = 0; i < reread.Count(); ++i) {
    const std::string date = reread.Text(i, Column::Date);
    const std::string key = date.substr(6, 4) + date.substr(3, 2) + date.substr(0, 2);
    if (key < "20240102" || key > "20240305") continue;
    ++kept;
    carnet::Amount amount;
    FUZZ_CHECK(carnet::ParseAmount(reread.Text(i, Column::Amount), amount));
    shown.Add(amount);
  }
  FUZZ_CHECK(ledger.Count() == kept && ledger.TotalText() == shown.Text());
  return 0;
}
