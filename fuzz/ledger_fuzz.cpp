// Carnet's ledger reader over any bytes: no crash; a refusal names a line of the input and
// leaves the open ledger alone; the fast path and the general parser agree on every line; what
// is accepted is written back byte for byte (each line ended by CR LF), reads back the same, and
// totals as its amounts added one by one.
#include <string>

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
    if (x.units != y.units || x.nanos != y.nanos || x.at != y.at || x.days != y.days ||
        x.length != y.length || x.labelAt != y.labelAt || x.labelSize != y.labelSize ||
        x.flags != y.flags) {
      return false;
    }
  }
  return true;
}

carnet::Result Parse(const std::string& bytes, carnet::LedgerState& state, bool fastPath) {
  carnet::AllocateBytesIntl(state, bytes.size());
  bytes.copy(state.bytes.get(), bytes.size());
  return carnet::ParseLedgerIntl("f", state, carnet::Progress(), fastPath);
}

// The input's entry lines, each without its end, then CR LF, after the canonical first line.
std::string Rewritten(const std::string& bytes) {
  std::string out = kHeader;
  std::size_t start = bytes.find('\n');
  if (start == std::string::npos) return out;
  for (++start; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    const bool ended = end != std::string::npos;
    if (!ended) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    out += line + "\r\n";
    start = end + 1;
  }
  return out;
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
  for (std::size_t i = 0; i < ledger.Count(); ++i) {
    for (Column column : {Column::Date, Column::Label, Column::Amount}) {
      const std::string text = ledger.Text(i, column);
      FUZZ_CHECK(again.Text(i, column) == text);
      // A cell's own text is a valid value, and setting it changes nothing.
      FUZZ_CHECK(again.Set(i, column, text).ok());
    }
  }
  FUZZ_CHECK(!again.Dirty() && again.Serialize() == written);

  // The reader's batched total is the one-by-one sum of the amounts shown.
  carnet::AmountTotal sum;
  for (std::size_t i = 0; i < ledger.Count(); ++i) {
    carnet::Amount amount;
    FUZZ_CHECK(carnet::ParseAmount(ledger.Text(i, Column::Amount), amount));
    sum.Add(amount);
  }
  FUZZ_CHECK(sum.Text() == ledger.TotalText());

  // An edited entry is written canonically and reads back the same.
  if (ledger.Count() > 0) {
    FUZZ_CHECK(ledger.Set(0, Column::Amount, "-0,10").ok());
    carnet::Ledger edited;
    FUZZ_CHECK(edited.Load(ledger.Serialize(), "h").ok());
    FUZZ_CHECK(edited.Text(0, Column::Amount) == "-0,1");
    FUZZ_CHECK(edited.TotalText() == ledger.TotalText());
    FUZZ_CHECK(edited.Text(0, Column::Label) == ledger.Text(0, Column::Label));
  }
  return 0;
}
