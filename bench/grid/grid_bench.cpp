// The grid benchmarks under Win32: the toolkit's grid against the hand-written owner-data list
// view (raw_grid.cpp) doing the same native work, in the same run, runs interleaved, medians kept:
//    9  opening a form whose grid has 1 000 000 virtual rows until it is painted, and closing it;
//   10  100 Page Down presses in it, each painted;
//   11  private bytes: 1 000 000 virtual rows against an empty grid (and the same for the raw
//       list), and 1 000 000 held rows of three short texts against the bytes of the texts;
//   12  sorting held rows by amount and by date at 10 000, 100 000 and 1 000 000 rows, against
//       std::sort of the same keys already read into numbers;
//   13  pasting 2 500, 10 000 and 40 000 rows of the three typed columns into an open grid of held
//       rows (ZK_FormGridPaste: every cell checked, then written), timed alone: it must grow
//       linearly.
// Prints "ROW|..." lines as form_bench does, "MEM|row|case|measured|reference|before|after" and
// "TIME|row|case|toolkit s|raw s|unit" for scripts/bench.sh. BENCH_QUICK=1: fewer runs;
// BENCH_ROWS=9,10...: only those rows.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../win32/bench_host.h"
#include "../win32/bench_measure.h"
#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"
#include "raw_grid.h"
#include "window/gdi_objects.h"
#include "zarvik/zarvik.h"

namespace {
using namespace bench;

constexpr char kForm[] = "grille";
constexpr char kGrid[] = "liste";
constexpr int kMillion = 1000000;
// The application's side: an event procedure that looks at the grid's events, and the cells.
int onEvent(std::string, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (item == kGrid && (event == ZK_ROWCHG || event == ZK_CELLCHG)) return 0;
  return 0;
}

int cellOf(const std::string&, const std::string&, int row, const std::string& column,
           std::string& text) {
  GridCell(row, column[0] == 'd' ? 0 : (column[0] == 'l' ? 1 : 2), text);
  return 0;
}

void declare() {
  ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 540, 400, "");
  ZK_FormGridColumnAdd(kForm, kGrid, "date", 1, 100, "Date", "type=date;format=dd/mm/yyyy");
  ZK_FormGridColumnAdd(kForm, kGrid, "libelle", 2, 220, "Libell\xE9", "");
  ZK_FormGridColumnAdd(kForm, kGrid, "montant", 3, 120, "Montant",
                       "type=currency;format=999999,88");
}

HWND toolkitOpen(int rows) {
  declare();
  ZK_FormGridVirtual(kForm, kGrid, rows, cellOf);
  ZK_FormCreate(kForm, "", 10, 10, 580, 470, onEvent);
  HWND dialog = ZK_WindowLookupIntl(kForm).hwnd;
  UpdateWindow(dialog);
  UpdateWindow(ZK_FormItemGet(kForm, kGrid).hwnd);
  Pump();
  return dialog;
}

void toolkitClose(HWND dialog) {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  ZK_FormClose(kForm);
}

HWND rawOpen(int rows) {
  HWND dialog = RawGridOpen(HostMainWindow(), rows);
  UpdateWindow(dialog);
  UpdateWindow(RawGridList(dialog));
  Pump();
  return dialog;
}

void rawClose(HWND dialog) {
  RawGridClose(dialog);
  Pump();
}

struct Snapshot {
  long gdi;
  std::size_t privateBytes;
};

Snapshot snapshot() {
  return {ZK_GdiCountIntl(), PrivateBytes()};
}

// One row: a warm-up run of each side, then the runs interleaved, printed with the GDI count and
// private bytes around the measured runs.
void measureRow(const char* row, const std::string& name, const char* unit, double perOp,
                int repetitions, const std::function<double()>& toolkitRun,
                const std::function<double()>& rawRun) {
  if (Runs(true)) toolkitRun();
  if (Runs(false)) rawRun();
  const Snapshot before = snapshot();
  const Pair pair = Interleave(repetitions, toolkitRun, rawRun);
  const Snapshot after = snapshot();
  std::printf("ROW|%s|%s|%.9g|%.9g|%s|%ld|%ld|0|0|%zu|%zu\n", row, name.c_str(),
              pair.toolkit / perOp, pair.raw / perOp, unit, before.gdi, after.gdi,
              before.privateBytes, after.privateBytes);
  std::fflush(stdout);
}

void openPaint(int repetitions) {
  auto toolkitRun = [] {
    const double start = Now();
    toolkitClose(toolkitOpen(kMillion));
    return Now() - start;
  };
  auto rawRun = [] {
    const double start = Now();
    rawClose(rawOpen(kMillion));
    return Now() - start;
  };
  measureRow("9", "open+paint+close, grid of 1M virtual rows", "open+close", 1, repetitions,
             toolkitRun, rawRun);
}

// Page Down to the list, then its paint at once.
double pageDown(HWND list, int presses) {
  SetFocus(list);
  const double start = Now();
  for (int i = 0; i < presses; ++i) {
    SendMessageA(list, WM_KEYDOWN, VK_NEXT, 0);
    UpdateWindow(list);
  }
  return Now() - start;
}

void pageDowns(int repetitions, int presses) {
  auto toolkitRun = [presses] {
    HWND dialog = toolkitOpen(kMillion);
    const double seconds = pageDown(ZK_FormItemGet(kForm, kGrid).hwnd, presses);
    toolkitClose(dialog);
    return seconds;
  };
  auto rawRun = [presses] {
    HWND dialog = rawOpen(kMillion);
    const double seconds = pageDown(RawGridList(dialog), presses);
    rawClose(dialog);
    return seconds;
  };
  measureRow("10", std::to_string(presses) + " Page Down, each painted, 1M virtual rows", "press",
             presses, repetitions, toolkitRun, rawRun);
}

void printMemory(const std::string& name, std::size_t measured, std::size_t reference,
                 std::size_t before, std::size_t after) {
  std::printf("MEM|11|%s|%zu|%zu|%zu|%zu\n", name.c_str(), measured, reference, before, after);
  std::fflush(stdout);
}

// The process's private bytes with a grid of `rows` virtual rows open.
std::size_t openBytes(bool toolkit, int rows) {
  HWND dialog = toolkit ? toolkitOpen(rows) : rawOpen(rows);
  const std::size_t bytes = PrivateBytes();
  if (toolkit) {
    toolkitClose(dialog);
  } else {
    rawClose(dialog);
  }
  return bytes;
}

void memory() {
  // Held rows first, while the heap has nothing to give back.
  std::size_t texts = 0;
  std::string cell;
  const std::size_t before = PrivateBytes();
  declare();
  for (int row = 0; row < kMillion; ++row) {
    std::vector<std::string> cells(3);
    for (int column = 0; column < 3; ++column) {
      GridCell(row, column, cells[static_cast<std::size_t>(column)]);
      texts += cells[static_cast<std::size_t>(column)].size();
    }
    ZK_FormGridRowInsert(kForm, kGrid, -1, cells);
  }
  const std::size_t after = PrivateBytes();
  printMemory("1M held rows of 3 texts, vs the texts' bytes", after - before, texts, before, after);
  ZK_FormCreate(kForm, "", 10, 10, 580, 470, onEvent);
  toolkitClose(ZK_WindowLookupIntl(kForm).hwnd);

  for (bool toolkit : {true, false}) {
    openBytes(toolkit, 0);  // warm-up: classes, fonts, the heap's first blocks
    const std::size_t empty = openBytes(toolkit, 0);
    const std::size_t million = openBytes(toolkit, kMillion);
    printMemory(
        std::string(toolkit ? "toolkit" : "raw list") + ": 1M virtual rows, vs an empty grid",
        million, empty, empty, million);
  }
}

// Held rows of the generator, in its order; and the keys a plain program would sort, read once.
void heldRows(int count) {
  ZK_FormGridVirtual(kForm, kGrid, 0, nullptr);
  std::vector<std::string> cells(3);
  for (int row = 0; row < count; ++row) {
    for (int column = 0; column < 3; ++column)
      GridCell(row, column, cells[static_cast<std::size_t>(column)]);
    ZK_FormGridRowInsert(kForm, kGrid, -1, cells);
  }
}

std::vector<long long> plainKeys(int count, int column) {
  std::vector<long long> keys;
  keys.reserve(static_cast<std::size_t>(count));
  std::string text;
  for (int row = 0; row < count; ++row) {
    GridCell(row, column, text);
    int a = 0, b = 0, c = 0;
    if (column == 0) {
      std::sscanf(text.c_str(), "%d/%d/%d", &a, &b, &c);
      keys.push_back((c * 12LL + b) * 31 + a);
    } else {
      std::sscanf(text.c_str(), "-%d,%d", &a, &b);
      keys.push_back(-(a * 100LL + b));
    }
  }
  return keys;
}

void sorts(int repetitions) {
  declare();
  for (int count : {10000, 100000, kMillion}) {
    for (const char* column : {"montant", "date"}) {
      const int index = column[0] == 'd' ? 0 : 2;
      const std::vector<long long> keys = plainKeys(count, index);
      auto toolkitRun = [&] {
        heldRows(count);  // from the generator's order each time
        const double start = Now();
        ZK_FormGridSort(kForm, kGrid, column, false);
        return Now() - start;
      };
      auto rawRun = [&] {
        std::vector<std::pair<long long, int>> sorted(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) sorted[i] = {keys[i], static_cast<int>(i)};
        const double start = Now();
        std::sort(sorted.begin(), sorted.end());
        return Now() - start;
      };
      const int runs = count == kMillion ? std::max(1, repetitions / 3) : repetitions;
      const Pair pair = Interleave(runs, toolkitRun, rawRun);
      std::printf("TIME|12|sort %d held rows by %s|%.9g|%.9g|sort\n", count,
                  index == 0 ? "date" : "amount", pair.toolkit, pair.raw);
      std::fflush(stdout);
    }
  }
  ZK_FormCreate(kForm, "", 10, 10, 580, 470, onEvent);
  toolkitClose(ZK_WindowLookupIntl(kForm).hwnd);
}

// The generator's rows as tab-separated text, as a spreadsheet copies them.
std::string pasteText(int count) {
  std::string text;
  std::string cell;
  for (int row = 0; row < count; ++row) {
    for (int column = 0; column < 3; ++column) {
      GridCell(row, column, cell);
      text += cell;
      text += column < 2 ? '\t' : '\n';
    }
  }
  return text;
}

void pastes(int repetitions) {
  for (int count : {2500, 10000, 40000}) {
    const std::string text = pasteText(count);
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
      declare();
      ZK_FormCreate(kForm, "", 10, 10, 580, 470, onEvent);
      HWND dialog = ZK_WindowLookupIntl(kForm).hwnd;
      Pump();
      const double start = Now();
      const int status = ZK_FormGridPaste(kForm, kGrid, text);
      UpdateWindow(ZK_FormItemGet(kForm, kGrid).hwnd);
      times.push_back(Now() - start);
      if (status != ZK_OK || ZK_FormGridGet(kForm, kGrid).rows != count)
        std::printf("paste of %d rows: status %d, %d rows\n", count, status,
                    ZK_FormGridGet(kForm, kGrid).rows);
      toolkitClose(dialog);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("TIME|13|paste %d rows of 3 typed cells (per row)|%.9g|0|row\n", count,
                median / count);
    std::fflush(stdout);
  }
}

bool wanted(const std::string& row) {
  const std::string rows = "," + Environment("BENCH_ROWS") + ",";
  return rows == ",," || rows.find("," + row + ",") != std::string::npos;
}
}  // namespace

int main() {
  if (!HostStart()) return 1;
  const bool quick = Quick();
  if (wanted("11")) memory();
  if (wanted("9")) openPaint(quick ? 3 : 11);
  if (wanted("10")) pageDowns(quick ? 3 : 11, 100);
  if (wanted("12")) sorts(quick ? 3 : 9);
  if (wanted("13")) pastes(quick ? 3 : 7);
  return HostEnd();
}
