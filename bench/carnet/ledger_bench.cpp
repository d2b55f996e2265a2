// Carnet's ledger against the plain platform doing the same work, in the same run, the runs of
// each row interleaved (the one that goes first changes every time), medians kept:
//   5  opening a generated 1 000 000-entry ledger until its total is known, against one read of
//      the file and a loop that parses every date and amount into numbers and finds every label;
//   6  saving it (temporary file, flush, replace), against one write of the same bytes over the
//      file written the time before, flushed (the same work) and, for scale, not flushed;
//   7  private bytes after opening, against the file's size; and again after a session of
//      ordinary edits (a thousand edited amounts and labels, a hundred entries added and deleted,
//      a sort by date and its undo), the history kept for undo included;
//   8  sorting by amount and by date at 10 000, 100 000 and 1 000 000 entries, against
//      std::stable_sort of the bare keys; then at 1 000 000: showing one year's period, against a
//      loop that keeps the numbers of the bare keys in that year; undoing a sort by amount,
//      against moving 16-byte records into a given order; and the running balance of the last
//      entry shown right after a change, against adding the bare keys up;
//   9  on Windows, opening and saving it in Carnet's own window, against rows 5 and 6's limits,
//      and the private bytes the window then holds.
// Prints "LEDGER|row|case|ledger s|plain s|unit" and "LEDGERMEM|row|case|private bytes
// before|after|file bytes" for scripts/bench.sh. BENCH_QUICK=1: fewer runs; BENCH_ROWS=58:
// only those rows.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "carnet_app.h"
#endif
#include "entry_date.h"
#include "ledger.h"
#include "plain_platform.h"

namespace {

using carnet_bench::Now;

const char* const kLabels[] = {
    "Boulangerie",
    "Loyer",
    "Caf\xE9 du commerce",
    "Pharmacie",
    "Salaire",
    "\xC9lectricit\xE9",
    "Essence",
    "Restaurant La Table",
    "Assurance habitation",
    "Cin\xE9ma",
    "Courses march\xE9",
    "T\xE9l\xE9phone",
};

// A ledger file of `count` entries, handed to `sink` a piece at a time, and its keys in file
// order for the plain sorts when asked for.
struct Keys {
  std::vector<std::int64_t> days;
  std::vector<std::int64_t> cents;
};

void Generate(std::size_t count, const std::function<void(const std::string&)>& sink, Keys* keys) {
  std::string out = "date;libell\xE9;montant\r\n";
  std::uint64_t state = 20241208;
  auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>(state >> 33);
  };
  for (std::size_t i = 0; i < count; ++i) {
    const int days = 10957 + static_cast<int>(next() % 11323);  // 2000 to 2030
    out += carnet::DateText(days);
    out += ';';
    if (next() % 100 == 0) {
      out += "\"Remboursement \"\"Paul\"\"; frais\"";  // one label in a hundred quoted
    } else {
      out += kLabels[next() % 12];
      out += ' ' + std::to_string(next() % 1000);
    }
    out += ';';
    const bool negative = next() % 100 < 85;
    const std::int64_t units = next() % (next() % 50 == 0 ? 100000 : 2000);
    const std::int64_t cents = next() % 100;
    if (negative) out += '-';
    out += std::to_string(units);
    if (cents != 0) out += (cents < 10 ? ",0" : ",") + std::to_string(cents);
    out += "\r\n";
    if (keys != nullptr) {
      keys->days.push_back(days);
      keys->cents.push_back((negative ? -1 : 1) * (units * 100 + cents));
    }
    if (out.size() >= (1u << 20)) {
      sink(out);
      out.clear();
    }
  }
  sink(out);
}

// What the plain loop finds, kept so that none of its work can be left out.
struct PlainSums {
  std::size_t lines = 0;
  std::int64_t dates = 0;
  std::int64_t units = 0;
  std::int64_t nanos = 0;
  std::size_t labelBytes = 0;
};

volatile std::int64_t gSink;  // where the plain loop's results go, so that none is left out

int Digit(char c) {
  return c - '0';
}

// Every line's date and amount as numbers and its label's bounds; the file is trusted.
PlainSums PlainParse(const char* p, const char* end) {
  PlainSums sums;
  p = static_cast<const char*>(std::memchr(p, '\n', end - p)) + 1;
  while (p < end) {
    const int day = Digit(p[0]) * 10 + Digit(p[1]);
    const int month = Digit(p[3]) * 10 + Digit(p[4]);
    const int year = Digit(p[6]) * 1000 + Digit(p[7]) * 100 + Digit(p[8]) * 10 + Digit(p[9]);
    sums.dates += year * 10000 + month * 100 + day;
    const char* label = p + 11;
    const char* labelEnd;
    if (*label == '"') {
      labelEnd = label + 1;
      for (;;) {
        labelEnd = static_cast<const char*>(std::memchr(labelEnd, '"', end - labelEnd));
        if (labelEnd[1] != '"') break;
        labelEnd += 2;
      }
      ++labelEnd;
    } else {
      labelEnd = static_cast<const char*>(std::memchr(label, ';', end - label));
    }
    sums.labelBytes += static_cast<std::size_t>(labelEnd - label);
    const char* a = labelEnd + 1;
    const bool negative = *a == '-';
    a += negative;
    std::int64_t units = 0;
    for (; *a >= '0' && *a <= '9'; ++a) units = units * 10 + Digit(*a);
    std::int64_t nanos = 0;
    if (*a == ',') {
      std::int64_t scale = 100000000;
      for (++a; *a >= '0' && *a <= '9'; ++a, scale /= 10) nanos += Digit(*a) * scale;
    }
    sums.units += negative ? -units : units;
    sums.nanos += negative ? -nanos : nanos;
    p = a + (*a == '\r') + 1;
    ++sums.lines;
  }
  return sums;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs each candidate `repetitions` times, starting one further along every time, and returns
// each one's median seconds.
std::vector<double> Interleave(int repetitions, const std::vector<std::function<double()>>& runs) {
  std::vector<std::vector<double>> times(runs.size());
  for (int r = 0; r < repetitions; ++r)
    for (std::size_t k = 0; k < runs.size(); ++k) {
      const std::size_t which = (k + r) % runs.size();
      times[which].push_back(runs[which]());
    }
  std::vector<double> medians;
  for (const auto& t : times) medians.push_back(Median(t));
  return medians;
}

void PrintRow(int row, const std::string& name, double ledger, double plain, const char* unit) {
  std::printf("LEDGER|%d|%s|%.9g|%.9g|%s\n", row, name.c_str(), ledger, plain, unit);
  std::fflush(stdout);
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "ledger_bench: %s\n", what.c_str());
  std::exit(1);
}

bool Quick() {
  const char* quick = std::getenv("BENCH_QUICK");
  return quick != nullptr && std::string(quick) == "1";
}

bool Wanted(char row) {
  const char* rows = std::getenv("BENCH_ROWS");
  return rows == nullptr || *rows == 0 || std::strchr(rows, row) != nullptr;
}

constexpr std::size_t kMillion = 1000000;

// The edits of an ordinary session: amounts and labels changed, entries added and deleted, a sort
// and its undo.
void EditSession(carnet::Ledger& ledger) {
  for (std::size_t i = 0; i < 1000; ++i) {
    const std::size_t entry = i * 997 % ledger.Count();
    if (!ledger.Set(entry, carnet::Column::Amount, "-" + std::to_string(i) + ",5").ok() ||
        !ledger.Set(entry, carnet::Column::Label, "Courses " + std::to_string(i)).ok()) {
      Fail("edit refused");
    }
  }
  for (int i = 0; i < 100; ++i) {
    if (!ledger.Add("15/03/2024", "Boulangerie", "-3,2").ok()) Fail("add refused");
    if (!ledger.Delete(static_cast<std::size_t>(i) * 7919).ok()) Fail("delete refused");
  }
  ledger.Sort(carnet::Column::Date, false);
  if (!ledger.Undo()) Fail("undo refused");
}

void MemoryRow(const std::string& path, std::size_t fileSize) {
  const std::size_t before = carnet_bench::PrivateBytes();
  carnet::Ledger ledger;
  if (!ledger.Open(path).ok()) Fail("open failed");
  const std::size_t after = carnet_bench::PrivateBytes();
  std::printf("LEDGERMEM|7|private bytes, 1M open, vs file|%zu|%zu|%zu\n", before, after, fileSize);
  EditSession(ledger);
  std::printf("LEDGERMEM|7|private bytes, 1M after edits and undo, vs file|%zu|%zu|%zu\n", before,
              carnet_bench::PrivateBytes(), fileSize);
  std::fflush(stdout);
}

// The limit of opening: one read of the file and a loop over its lines; the seconds it took.
double PlainOpen(const std::string& path, std::size_t* lines) {
  char* bytes = nullptr;
  std::size_t size = 0;
  const double start = Now();
  if (!carnet_bench::PlainRead(path, bytes, size)) Fail("plain read failed");
  const PlainSums sums = PlainParse(bytes, bytes + size);
  const double seconds = Now() - start;
  *lines = sums.lines;
  gSink = sums.dates + sums.units + sums.nanos + static_cast<std::int64_t>(sums.labelBytes);
  delete[] bytes;
  return seconds;
}

void OpenRow(const std::string& path, int repetitions) {
  std::size_t lines = 0;
  std::size_t entries = 0;
  auto ledgerRun = [&] {
    carnet::Ledger ledger;
    const double start = Now();
    const carnet::Result result = ledger.Open(path);
    const std::string total = ledger.TotalText();
    const double seconds = Now() - start;
    if (!result.ok() || total.empty()) Fail(result.message);
    entries = ledger.Count();
    return seconds;
  };
  const std::vector<double> t =
      Interleave(repetitions, {ledgerRun, [&] { return PlainOpen(path, &lines); }});
  if (lines != entries) Fail("the plain loop and the ledger count different entries");
  PrintRow(5, "open 1M entries", t[0], t[1], "open");
}

void SaveRow(const std::string& folder, const std::string& path, int repetitions) {
  carnet::Ledger ledger;
  if (!ledger.Open(path).ok()) Fail("open failed");
  const std::string bytes = ledger.Serialize();
  const std::string saved = folder + "/saved.csv";
  const std::string plain = folder + "/plain.csv";
  auto ledgerRun = [&] {
    const double start = Now();
    const carnet::Result result = ledger.SaveAs(saved);
    const double seconds = Now() - start;
    if (!result.ok()) Fail(result.message);
    return seconds;
  };
  // Both replace the file they wrote the time before, as a save does.
  auto plainRun = [&](bool flush) {
    const double start = Now();
    if (!carnet_bench::PlainWrite(plain, bytes, flush)) Fail("plain write failed");
    return Now() - start;
  };
  const std::vector<double> t =
      Interleave(repetitions, {ledgerRun, [&] { return plainRun(true); }});
  PrintRow(6, "save 1M, vs write + flush", t[0], t[1], "save");
  // Last: the bytes it leaves to the system to write would slow whatever runs next.
  const std::vector<double> unflushed = Interleave(repetitions, {[&] { return plainRun(false); }});
  PrintRow(6, "save 1M, vs write (no flush)", t[0], unflushed[0], "save");
}

void SortRows(int repetitions) {
  for (std::size_t count : {kMillion / 100, kMillion / 10, kMillion}) {
    std::string bytes;
    Keys generated;
    Generate(
        count, [&](const std::string& piece) { bytes += piece; }, &generated);
    const int runs = count == kMillion ? repetitions : repetitions * 3;
    const char* names[2] = {"amount", "date"};
    const carnet::Column columns[2] = {carnet::Column::Amount, carnet::Column::Date};
    const std::vector<std::int64_t>* keys[2] = {&generated.cents, &generated.days};
    for (int k = 0; k < 2; ++k) {
      auto ledgerRun = [&] {
        carnet::Ledger ledger;
        if (!ledger.Load(bytes, "bench").ok()) Fail("load failed");
        const double start = Now();
        ledger.Sort(columns[k], false);
        return Now() - start;
      };
      auto plainRun = [&] {
        std::vector<std::int64_t> copy = *keys[k];
        const double start = Now();
        std::stable_sort(copy.begin(), copy.end());
        return Now() - start;
      };
      const std::vector<double> t = Interleave(runs, {ledgerRun, plainRun});
      PrintRow(8, "sort by " + std::string(names[k]) + ", " + std::to_string(count), t[0], t[1],
               "sort");
    }
  }
}

// Row 8 at a million entries: the period, the undo of a sort and the balance after a change.
void ViewRows(int repetitions) {
  std::string bytes;
  Keys generated;
  Generate(
      kMillion, [&](const std::string& piece) { bytes += piece; }, &generated);
  carnet::Ledger ledger;
  if (!ledger.Load(bytes, "bench").ok()) Fail("load failed");
  const int first = 19723;  // 01/01/2024
  const int last = 20088;   // 31/12/2024
  std::size_t shown = 0;
  auto period = [&] {
    ledger.ClearPeriod();
    const double start = Now();
    if (!ledger.SetPeriod("01/01/2024", "31/12/2024").ok()) Fail("period refused");
    const double seconds = Now() - start;
    shown = ledger.Count();
    return seconds;
  };
  std::size_t kept = 0;
  auto plainPeriod = [&] {
    std::vector<std::uint32_t> rows;
    const double start = Now();
    for (std::size_t i = 0; i < generated.days.size(); ++i)
      if (generated.days[i] >= first && generated.days[i] <= last)
        rows.push_back(static_cast<std::uint32_t>(i));
    const double seconds = Now() - start;
    kept = rows.size();
    return seconds;
  };
  std::vector<double> t = Interleave(repetitions, {period, plainPeriod});
  if (shown != kept) Fail("the period and the plain loop keep different entries");
  PrintRow(8, "period of one year, 1000000", t[0], t[1], "filter");
  ledger.ClearPeriod();

  auto undoSort = [&] {
    ledger.Sort(carnet::Column::Amount, false);
    const double start = Now();
    if (!ledger.Undo()) Fail("undo refused");
    return Now() - start;
  };
  struct Record {
    std::int64_t a;
    std::int64_t b;
  };
  std::vector<Record> records(kMillion);
  std::vector<std::uint32_t> order(kMillion);
  for (std::size_t i = 0; i < kMillion; ++i)
    order[i] = static_cast<std::uint32_t>(i * 7919 % kMillion);
  auto plainUndo = [&] {
    const double start = Now();
    std::vector<Record> moved(records.size());
    for (std::size_t i = 0; i < order.size(); ++i) moved[order[i]] = records[i];
    records.swap(moved);
    return Now() - start;
  };
  t = Interleave(repetitions, {undoSort, plainUndo});
  PrintRow(8, "undo of a sort by amount, 1000000", t[0], t[1], "undo");

  std::string balance;
  int changes = 0;
  auto changedBalance = [&] {
    if (!ledger.Set(0, carnet::Column::Amount, std::to_string(++changes) + ",5").ok())
      Fail("edit refused");
    const double start = Now();
    balance = ledger.BalanceText(ledger.Count() - 1);
    return Now() - start;
  };
  auto plainSum = [&] {
    const double start = Now();
    std::int64_t sum = 0;
    for (std::int64_t cents : generated.cents) sum += cents;
    gSink = sum;
    return Now() - start;
  };
  t = Interleave(repetitions, {changedBalance, plainSum});
  if (balance != ledger.TotalText()) Fail("the last balance is not the total");
  PrintRow(8, "balance after a change, 1000000", t[0], t[1], "balance");
}

#ifdef _WIN32
void PumpMessages() {
  MSG message = {};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Row 9: the same work in Carnet's own window, as `carnet.exe FILE` and Fichier > Enregistrer do
// it (progress in the status bar, the window's messages pumped), timed until the status bar and
// the grid have painted the result; the memory the window holds after opening.
void WindowRows(const std::string& folder, const std::string& path, int repetitions) {
  if (CarnetWindowCreate(SW_SHOWNORMAL) != 0 || CarnetLedgerFormOpen() != 0)
    Fail("Carnet's window did not open");
  PumpMessages();
  const std::size_t before = carnet_bench::PrivateBytes();
  if (!CarnetOpenPath(path)) Fail("Carnet did not open the ledger");
  PumpMessages();
  std::printf("LEDGERMEM|9|private bytes, 1M open in Carnet, vs file|%zu|%zu|%zu\n", before,
              carnet_bench::PrivateBytes(),
              static_cast<std::size_t>(std::filesystem::file_size(path)));
  std::size_t lines = 0;
  auto windowOpen = [&] {
    CarnetLedger().New();
    CarnetRowsShow();
    PumpMessages();
    const double start = Now();
    if (!CarnetOpenPath(path)) Fail("Carnet did not open the ledger");
    PumpMessages();
    const double seconds = Now() - start;
    if (CarnetStatusShown() != CarnetLedger().StatusText() || CarnetLedger().Count() != kMillion)
      Fail("Carnet's status bar does not show the total: " + CarnetStatusShown());
    return seconds;
  };
  const std::vector<double> open =
      Interleave(repetitions, {windowOpen, [&] { return PlainOpen(path, &lines); }});
  if (lines != kMillion) Fail("the plain loop counts other entries");
  PrintRow(9, "open 1M in Carnet until its total shows", open[0], open[1], "open");

  const std::string bytes = CarnetLedger().Serialize();
  const std::string plain = folder + "/plain.csv";
  auto windowSave = [&] {
    const double start = Now();
    if (!CarnetSave()) Fail("Carnet did not save the ledger");
    PumpMessages();
    return Now() - start;
  };
  auto plainSave = [&] {
    const double start = Now();
    if (!carnet_bench::PlainWrite(plain, bytes, true)) Fail("plain write failed");
    return Now() - start;
  };
  const std::vector<double> save = Interleave(repetitions, {windowSave, plainSave});
  PrintRow(9, "save 1M in Carnet, vs write + flush", save[0], save[1], "save");
  DestroyWindow(CarnetWindowHandle());
}
#endif

}  // namespace

int main() {
  const int repetitions = Quick() ? 3 : 11;
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error) / "carnet_bench";
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  const std::string path = (folder / "carnet.csv").string();
  // Written a piece at a time, so that no large block of the process's memory is left over
  // from it when the private bytes are read.
  std::size_t fileSize = 0;
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    Generate(
        kMillion,
        [&](const std::string& piece) {
          file << piece;
          fileSize += piece.size();
        },
        nullptr);
    if (!file.flush()) Fail("cannot write " + path);
  }
  if (Wanted('7')) MemoryRow(path, fileSize);
  if (Wanted('5')) OpenRow(path, repetitions);
  if (Wanted('6')) SaveRow(folder.string(), path, repetitions);
  if (Wanted('8')) SortRows(Quick() ? 3 : 5);
  if (Wanted('8')) ViewRows(Quick() ? 3 : 5);
#ifdef _WIN32
  if (Wanted('9')) WindowRows(folder.string(), path, repetitions);
#endif
  fs::remove_all(folder, error);
  return 0;
}
