// The form benchmarks under Win32: each row runs the toolkit and its hand-written baseline in
// turn and prints one line "ROW|row|case|toolkit s|raw s|unit|gdi before|gdi after|raw gdi
// before|raw gdi after|private before|private after" for scripts/bench.sh to lay out.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_host.h"
#include "bench_items.h"
#include "bench_measure.h"
#include "demo.h"
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "raw_form.h"
#include "window/gdi_objects.h"
#include "zarvik/zarvik.h"

namespace {
using namespace bench;

constexpr char kForm[] = "bench";
constexpr int kFormX = 10;
constexpr int kFormY = 10;
// --- one form, opened by the toolkit or by the baseline ---

HWND toolkitOpen(const std::vector<BenchItem>& items, const char* properties) {
  for (const BenchItem& item : items)
    ZK_FormItemAdd(kForm, item.name, item.kind, item.order, item.x, item.y, item.width, item.height,
                   item.properties);
  // Velmo's own event procedure: the toolkit pays for a realistic callback.
  ZK_FormCreate(kForm, properties, kFormX, kFormY, kFormWidth, kFormHeight, DemoStaticFormEvent);
  Pump();
  return ZK_WindowLookupIntl(kForm).hwnd;
}

void toolkitClose(HWND dialog) {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  ZK_FormClose(kForm);
}

HWND rawOpen(RawForm& form) {
  HWND dialog = RawFormOpen(form, HostMainWindow(), kFormX, kFormY, kFormWidth, kFormHeight);
  Pump();
  return dialog;
}

void rawClose(HWND dialog) {
  RawFormClose(dialog);
  Pump();
}

bool drawnKind(const std::string& kind) {
  return kind == ZK_STATIC || kind == ZK_RECT || kind == ZK_BUTTON || kind == ZK_CHECK;
}

// --- rows ---

struct Snapshot {
  long gdi;
  long rawGdi;
  std::size_t privateBytes;
};

Snapshot snapshot() {
  return {ZK_GdiCountIntl(), RawGdiCount(), PrivateBytes()};
}

void printRow(int row, const std::string& name, const Pair& pair, const char* unit, double perOp,
              const Snapshot& before, const Snapshot& after) {
  std::printf("ROW|%d|%s|%.9g|%.9g|%s|%ld|%ld|%ld|%ld|%zu|%zu\n", row, name.c_str(),
              pair.toolkit / perOp, pair.raw / perOp, unit, before.gdi, after.gdi, before.rawGdi,
              after.rawGdi, before.privateBytes, after.privateBytes);
  std::fflush(stdout);
}

void openClose(const std::string& name, const std::vector<BenchItem>& items, const char* properties,
               int repetitions) {
  RawForm raw = RawFormCompile(items, properties);
  auto toolkitRun = [&] {
    const double start = Now();
    toolkitClose(toolkitOpen(items, properties));
    return Now() - start;
  };
  auto rawRun = [&] {
    const double start = Now();
    rawClose(rawOpen(raw));
    return Now() - start;
  };
  // Warm-up: classes, fonts and caches of the first opening.
  if (Runs(true)) toolkitRun();
  if (Runs(false)) rawRun();
  const Snapshot before = snapshot();
  const Pair pair = Interleave(repetitions, toolkitRun, rawRun);
  printRow(1, name, pair, "open+close", 1, before, snapshot());
}

// Every owner-drawn control repainted at once, passes times per measured run.
double repaint(const std::vector<HWND>& controls, int passes) {
  const double start = Now();
  for (int pass = 0; pass < passes; ++pass)
    for (HWND control : controls)
      RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return Now() - start;
}

void repaintStatic(int repetitions, int passes) {
  const std::vector<BenchItem>& items = StaticFormItems();
  const std::string properties = StaticFormProperties();
  RawForm raw = RawFormCompile(items, properties);
  auto toolkitRun = [&] {
    HWND dialog = toolkitOpen(items, properties.c_str());
    std::vector<HWND> controls;
    for (const BenchItem& item : items)
      if (drawnKind(item.kind)) controls.push_back(ZK_FormItemGet(kForm, item.name).hwnd);
    const double seconds = repaint(controls, passes);
    toolkitClose(dialog);
    return seconds;
  };
  auto rawRun = [&] {
    HWND dialog = rawOpen(raw);
    std::vector<HWND> controls;
    for (const BenchItem& item : items)
      if (drawnKind(item.kind)) controls.push_back(GetDlgItem(dialog, item.order + 101));
    const double seconds = repaint(controls, passes);
    rawClose(dialog);
    return seconds;
  };
  if (Runs(true)) toolkitRun();
  if (Runs(false)) rawRun();
  const Snapshot before = snapshot();
  const Pair pair = Interleave(repetitions, toolkitRun, rawRun);
  printRow(2, "repaint static (all drawn items)", pair, "pass", passes, before, snapshot());
}

// Mouse moves and focus notifications of edit controls, alternately, to the dialog.
double deliver(HWND dialog, const std::vector<std::pair<HWND, int>>& edits, int count) {
  const double start = Now();
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) {
      SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(i % 600, i % 400));
    } else {
      const auto& edit = edits[static_cast<std::size_t>(i / 2) % edits.size()];
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(edit.second, EN_SETFOCUS),
                   reinterpret_cast<LPARAM>(edit.first));
    }
  }
  return Now() - start;
}

// Both forms stay open for the whole row, so that each run of messages to one comes right after
// a run to the other: the machine's slower and faster spells fall on both sides alike.
void messages(int itemCount, int messageCount, int repetitions) {
  const std::vector<BenchItem> items = GeneratedFormItems(itemCount);
  RawForm raw = RawFormCompile(items, "");
  HWND toolkitDialog = nullptr;
  HWND rawDialog = nullptr;
  std::vector<std::pair<HWND, int>> toolkitEdits;
  std::vector<std::pair<HWND, int>> rawEdits;
  if (Runs(true)) {
    toolkitDialog = toolkitOpen(items, "");
    for (const BenchItem& item : items) {
      if (item.kind != ZK_EDIT) continue;
      const ItemRecord record = ZK_FormItemGet(kForm, item.name);
      toolkitEdits.emplace_back(record.hwnd, record.controlId);
    }
  }
  if (Runs(false)) {
    rawDialog = rawOpen(raw);
    for (const BenchItem& item : items)
      if (item.kind == ZK_EDIT)
        rawEdits.emplace_back(GetDlgItem(rawDialog, item.order + 101), item.order + 101);
  }
  auto toolkitRun = [&] { return deliver(toolkitDialog, toolkitEdits, messageCount); };
  auto rawRun = [&] { return deliver(rawDialog, rawEdits, messageCount); };
  if (Runs(true)) toolkitRun();
  if (Runs(false)) rawRun();
  const Snapshot before = snapshot();
  const Pair pair = Interleave(repetitions, toolkitRun, rawRun);
  const Snapshot after = snapshot();
  if (toolkitDialog != nullptr) toolkitClose(toolkitDialog);
  if (rawDialog != nullptr) rawClose(rawDialog);
  printRow(
      3,
      std::to_string(messageCount) + " messages, form of " + std::to_string(itemCount) + " items",
      pair, "message", messageCount, before, after);
}

// Key presses and mouse moves posted to a form's controls, then the loop run until they are all
// handled (the form is the active one: dialog keys go through its dialog manager).
double loop(HWND dialog, HWND edit, int count, int (*run)(HWND)) {
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) {
      PostMessageA(edit, WM_KEYDOWN, VK_F5, 1);
    } else {
      PostMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(i % 600, i % 400));
    }
  }
  PostQuitMessage(0);
  const double start = Now();
  run(dialog);
  return Now() - start;
}

// What an application's loop does for its one modeless dialog.
int rawLoop(HWND dialog) {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int toolkitLoop(HWND) {
  return ZK_MessageLoop();
}

// `keys` menu shortcuts on the main window, none of them the key posted: what they cost a loop.
void messageLoop(int keys, int messageCount, int repetitions) {
  for (int row = 1; row <= keys; ++row) {
    const std::string name = "entree" + std::to_string(row);
    ZK_MenuAdd("bench", row == 1 ? "titre" : name, 1, row,
               "&Entr\xE9"
               "e",
               row == 1 ? "" : "key=Ctrl+" + std::string(1, static_cast<char>('A' + row)));
  }
  if (keys > 0) ZK_MenuDisplay(ZK_WindowStateIntl().mainWindowName, "bench", "");
  const std::vector<BenchItem> items = GeneratedFormItems(100);
  RawForm raw = RawFormCompile(items, "");
  const auto firstEdit = [&](HWND dialog, bool toolkit) -> HWND {
    for (const BenchItem& item : items) {
      if (item.kind != ZK_EDIT) continue;
      return toolkit ? ZK_FormItemGet(kForm, item.name).hwnd : GetDlgItem(dialog, item.order + 101);
    }
    return nullptr;
  };
  auto toolkitRun = [&] {
    HWND dialog = toolkitOpen(items, "");
    const double seconds = loop(dialog, firstEdit(dialog, true), messageCount, toolkitLoop);
    toolkitClose(dialog);
    return seconds;
  };
  auto rawRun = [&] {
    HWND dialog = rawOpen(raw);
    const double seconds = loop(dialog, firstEdit(dialog, false), messageCount, rawLoop);
    rawClose(dialog);
    return seconds;
  };
  toolkitRun();
  rawRun();
  const Snapshot before = snapshot();
  const Pair pair = Interleave(repetitions, toolkitRun, rawRun);
  printRow(14,
           std::to_string(messageCount) + " posted messages through the loop, " +
               std::to_string(keys) + " shortcuts",
           pair, "message", messageCount, before, snapshot());
}

// BENCH_ROWS=13 runs rows 1 and 3 only; every row by default.
bool wanted(char row) {
  const std::string rows = Environment("BENCH_ROWS");
  return rows.empty() || rows.find(row) != std::string::npos;
}

// BENCH_ITEMS=30,1000 opens only the forms of those item counts in row 1 (30: the "static" form).
bool wantedForm(int items) {
  const std::string counts = "," + Environment("BENCH_ITEMS") + ",";
  return counts == ",," || counts.find("," + std::to_string(items) + ",") != std::string::npos;
}
}  // namespace

int main() {
  if (!HostStart()) return 1;
  const bool small = Quick();
  const int scale = small ? 3 : 1;
  if (wanted('1')) {
    if (wantedForm(30)) {
      openClose("open+close static (30 items)", StaticFormItems(), StaticFormProperties().c_str(),
                21 / scale);
    }
    for (int count : {100, 1000, 5000}) {
      if ((small && count == 5000) || !wantedForm(count)) continue;
      const int repetitions = count >= 5000 ? 5 : (count >= 1000 ? 11 : 15);
      openClose("open+close " + std::to_string(count) + " items", GeneratedFormItems(count), "",
                small ? 3 : repetitions);
    }
  }
  if (wanted('2')) {
    // BENCH_PASSES=2000: enough passes for a profiler to see them past the opening.
    const std::string given = Environment("BENCH_PASSES");
    repaintStatic(small ? 3 : 21, given.empty() ? 20 : std::stoi(given));
  }
  if (wanted('3')) {
    // BENCH_MESSAGES=300000: enough messages for a profiler to see them past the opening.
    const std::string given = Environment("BENCH_MESSAGES");
    const int count = given.empty() ? 10000 : std::stoi(given);
    messages(1000, count, small ? 3 : 31);
    if (!small) messages(100, count, 31);
  }
  // Row 14 (BENCH_ROWS with "L"): the message loop, without and then with menu shortcuts.
  if (wanted('L')) {
    messageLoop(0, 4000, small ? 3 : 7);
    messageLoop(10, 4000, small ? 3 : 7);
  }
  return HostEnd();
}
