// What a spreadsheet user asks of a live grid: paste from the clipboard (good, refused, vetoed,
// copied back), choice and check columns by keys and clicks, rows added and deleted through their
// events, the selection read and set, column widths and hidden columns, cell colours read back
// as pixels, and the GDI objects given back after all of it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "forms/form_test_host.h"
#include "grid/grid_intl.h"

namespace {
using form_test::pump;
using form_test::Reports;
using form_test::statusText;
using form_test::Toolkit;
using Texts = std::vector<std::string>;

constexpr char kForm[] = "fiche";
constexpr char kGrid[] = "grille";

// Each grid event as "EVENT row column", CELLPASTE with its block; answers as the test asks.
Texts gEvents;
std::map<std::string, int> gAnswers;
// The event procedure takes the list's custom draw over at its first stage, skipping the paint.
bool gSkipPaint = false;
int onEvent(std::string form, std::string item, std::string event, HWND dialog, UINT message,
            WPARAM, LPARAM lParam) {
  if (gSkipPaint && event == ZK_BEFORE && message == WM_NOTIFY) {
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || draw->dwDrawStage != CDDS_PREPAINT)
      return 0;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, CDRF_SKIPDEFAULT);
    return 1;
  }
  const bool gridEvent = event == ZK_CELLCHG || event == ZK_ROWCHG || event == ZK_CELLPASTE ||
                         event == ZK_ROWINS || event == ZK_ROWDEL;
  if (item != kGrid || !gridEvent) return 0;
  const GridRecord grid = ZK_FormGridGet(form, item);
  std::string line = event + " " + std::to_string(grid.eventRow) + " " + grid.eventColumn;
  if (event == ZK_CELLPASTE || event == ZK_ROWDEL)
    line += " " + std::to_string(grid.blockRows) + "x" + std::to_string(grid.blockColumns) + "+" +
            std::to_string(grid.addedRows) + " " + std::to_string(grid.cells.size());
  if (event == ZK_CELLCHG) line += " " + grid.previous + ">" + grid.text;
  gEvents.push_back(line);
  const auto found = gAnswers.find(event);
  return found == gAnswers.end() ? 0 : found->second;
}

Texts take() {
  Texts all;
  all.swap(gEvents);
  return all;
}

void open(const std::string& gridProperties = "addrows=true;delrows=true;paste=true") {
  gEvents.clear();
  gAnswers.clear();
  ASSERT_EQ(ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 520, 200, gridProperties), 0);
  const char* const columns[][2] = {
      {"date", "type=date;format=dd/mm/yyyy;notnull=true"},
      {"montant", "type=currency;format=9999,88"},
      {"genre", "type=choice;value1=Food;value2=Home;value3=Travel"},
      {"vu", "type=check;format=oui/non"},
  };
  int order = 1;
  for (const auto& column : columns)
    ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, column[0], order++, 110, column[0], column[1]), 0);
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"01/03/2026", "-2,5", "Food", "oui"}), 0);
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"02/03/2026", "12", "Home", "non"}), 0);
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 560, 300, onEvent), 0);
  pump();
  SetFocus(ZK_FormItemGet(kForm, kGrid).hwnd);
}

HWND list() {
  return ZK_FormItemGet(kForm, kGrid).hwnd;
}

// A key pressed in the grid, with Ctrl held or not.
void key(WPARAM virtualKey, bool control = false, HWND to = nullptr) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = control ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(to != nullptr ? to : list(), WM_KEYDOWN, virtualKey, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  pump();
}

// The clipboard holds the text as Unicode, or only as text of the program's code page.
void clip(const std::string& text, bool unicode) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::wstring wide(text.begin(), text.end());  // the tests' texts are ASCII and Latin-1
  const std::size_t bytes = unicode ? (wide.size() + 1) * 2 : text.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* at = GlobalLock(block);
  if (unicode) {
    for (std::size_t i = 0; i <= wide.size(); ++i)
      static_cast<wchar_t*>(at)[i] = i < wide.size() ? static_cast<unsigned char>(text[i]) : 0;
  } else {
    std::memcpy(at, text.c_str(), bytes);
  }
  GlobalUnlock(block);
  SetClipboardData(unicode ? CF_UNICODETEXT : CF_TEXT, block);
  CloseClipboard();
}

std::string clipped() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

Texts rows() {
  Texts all;
  for (int row = 0; row < ZK_FormGridGet(kForm, kGrid).rows; ++row) {
    std::string line;
    for (const char* column : {"date", "montant", "genre", "vu"})
      line += ZK_FormGridCellGet(kForm, kGrid, row, column) + "|";
    all.push_back(line);
  }
  return all;
}

TEST(GridPaste, GoodRefusedAndVetoedPastesChangeAllOrNothing) {
  Reports reports;
  Toolkit toolkit;
  open();
  const Texts before = rows();
  ASSERT_EQ(ZK_FormGridSelect(kForm, kGrid, 1, "date", false), 0);
  // Unicode text: the second row overwritten, one appended, each cell written as its column does.
  clip("3/3/2026\t7,50\thome\tyes\r\n4/3/2026\t-1\tTravel\t\r\n", true);
  key('V', true);
  EXPECT_EQ(rows(), (Texts{before[0], "03/03/2026|7,5|Home|oui|", "04/03/2026|-1|Travel|non|"}));
  EXPECT_EQ(take(), Texts{"CELLPASTE 1 date 2x4+1 8"});
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, 1) << "the current cell where the paste began";

  // One refused cell: nothing changes, the status bar names its row, its column and why.
  const Texts good = rows();
  clip("5/3/2026\t1\tFood\toui\n6/3/2026\tabc\tFood\toui\n", false);
  key('V', true);
  EXPECT_EQ(rows(), good);
  EXPECT_EQ(statusText(kForm), "Collage refus\xE9, ligne 3, colonne montant : Saisie incorrecte");
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "1/3/2026\t1\tCar"), ZK_ERR_PASTE_REFUSED);
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "1/3/2026\t1\tFood\tnon\textra"), ZK_ERR_PASTE_REFUSED);
  EXPECT_EQ(take(), Texts{});

  // The application's veto: the rows written and appended are put back.
  gAnswers[ZK_CELLPASTE] = 1;
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "9/9/2026\t9\n8/8/2026\t8\n7/7/2026\t7\n"),
            ZK_ERR_GRID_VETOED);
  EXPECT_EQ(rows(), good);
  EXPECT_EQ(take(), Texts{"CELLPASTE 1 date 3x2+1 6"});
  gAnswers.clear();

  // Copy then paste after the last row gives the same rows back; an ANSI clipboard as well.
  ASSERT_EQ(ZK_FormGridSelectRows(kForm, kGrid, 0, 2, false), 0);
  key('C', true);
  ZK_FormGridSelectRows(kForm, kGrid, -1, -1, false);
  ASSERT_EQ(ZK_FormGridPaste(kForm, kGrid, ""), ZK_ERR_PASTE_REFUSED);
  ZK_FormGridRowInsert(kForm, kGrid, -1, {});
  ASSERT_EQ(ZK_FormGridSelect(kForm, kGrid, 3, "date", false), 0);
  key('V', true);
  const Texts copied = rows();
  ASSERT_EQ(copied.size(), 6u);
  EXPECT_EQ(Texts(copied.begin() + 3, copied.end()), good);
  ZK_FormGridSelect(kForm, kGrid, 0, "date", false);
  clip("1/4/2026\t-3,5\tHome\tOUI", false);
  key('V', true);
  EXPECT_EQ(rows()[0], "01/04/2026|-3,5|Home|oui|");
  EXPECT_EQ(reports.count(), 0u);
}

// A virtual grid's application is asked first, then takes each changed cell as an edit.
std::vector<Texts> gLedger = {{"01/03/2026", "1", "Food", "non"}};
int ledgerCell(const std::string&, const std::string&, int row, const std::string& column,
               std::string& text) {
  const Texts names = {"date", "montant", "genre", "vu"};
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == column) text = gLedger[static_cast<std::size_t>(row)][i];
  return 0;
}
int ledgerEvent(std::string form, std::string item, std::string event, HWND dialog, UINT message,
                WPARAM wParam, LPARAM lParam) {
  const GridRecord grid = ZK_FormGridGet(form, item);
  if (event == ZK_CELLPASTE || event == ZK_ROWINS) {
    if (event == ZK_ROWINS) gLedger.insert(gLedger.begin() + grid.eventRow, Texts(4));
    gLedger.resize(gLedger.size() + static_cast<std::size_t>(grid.addedRows), Texts(4));
    ZK_FormGridVirtual(form, item, static_cast<int>(gLedger.size()), ledgerCell);
  } else if (event == ZK_CELLCHG && grid.eventColumn == "montant") {
    gLedger[static_cast<std::size_t>(grid.eventRow)][1] = grid.text;
  } else if (event == ZK_ROWDEL && gAnswers.count(ZK_ROWDEL) == 0) {
    for (auto row = grid.rowList.rbegin(); row != grid.rowList.rend(); ++row)
      gLedger.erase(gLedger.begin() + *row);
    ZK_FormGridVirtual(form, item, static_cast<int>(gLedger.size()), ledgerCell);
  }
  return onEvent(form, item, event, dialog, message, wParam, lParam);
}

TEST(GridRows, AddedAndDeletedThroughTheirEventsHeldAndVirtual) {
  Reports reports;
  Toolkit toolkit;
  open();
  // Held rows: Insert adds an empty row at the current one, Tab past the last cell one at the end.
  key(VK_INSERT);
  EXPECT_EQ(rows(), (Texts{"||||", "01/03/2026|-2,5|Food|oui|", "02/03/2026|12|Home|non|"}));
  EXPECT_EQ(take(), (Texts{"ROWINS 0 date", "ROWCHG 0 date"}));
  gAnswers[ZK_ROWINS] = 1;
  ZK_FormGridSelect(kForm, kGrid, 2, "vu", false);
  key(VK_TAB);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).rows, 3) << "vetoed";
  gAnswers.clear();
  key(VK_TAB);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).rows, 4);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, 3);
  take();
  // Delete: the selected rows go, their texts in the event; a veto puts them back.
  ZK_FormGridSelectRows(kForm, kGrid, 0, 1, false);
  gAnswers[ZK_ROWDEL] = 1;
  key(VK_DELETE);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).rows, 4);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 1, "montant"), "-2,5");
  gAnswers.clear();
  ZK_FormGridSelectRows(kForm, kGrid, 0, 1, false);
  key(VK_DELETE);
  EXPECT_EQ(rows(), (Texts{"02/03/2026|12|Home|non|", "||||"}));
  EXPECT_EQ(take(), (Texts{"ROWDEL 0 date 2x4+0 8", "ROWDEL 0 date 2x4+0 8"}));

  // Virtual rows: the application adds, deletes and stores during the events.
  gLedger = {{"01/03/2026", "1", "Food", "non"}};
  SendMessageA(ZK_WindowLookupIntl(kForm).hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ZK_FormClose(kForm);
  ASSERT_EQ(
      ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 520, 200, "paste=1;addrows=y;delrows=y"),
      0);
  ZK_FormGridColumnAdd(kForm, kGrid, "date", 1, 100, "date", "type=date;format=dd/mm/yyyy");
  ZK_FormGridColumnAdd(kForm, kGrid, "montant", 2, 100, "montant", "type=currency;format=99,8");
  ZK_FormGridVirtual(kForm, kGrid, 1, ledgerCell);
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 560, 300, ledgerEvent), 0);
  pump();
  take();
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "01/03/2026\t5\n02/03/2026\t6"), ZK_OK);
  EXPECT_EQ(take(), (Texts{"CELLPASTE 0 date 2x2+1 4", "CELLCHG 0 montant 1>5",
                           "CELLCHG 1 date >02/03/2026", "CELLCHG 1 montant >6"}));
  EXPECT_EQ(gLedger[1][1], "6");
  key(VK_INSERT);
  EXPECT_EQ(gLedger.size(), 3u);
  ZK_FormGridSelectRows(kForm, kGrid, 0, 1, false);
  key(VK_DELETE);
  EXPECT_EQ(gLedger.size(), 1u);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).rows, 1);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(GridColumns, ChoiceAndCheckCellsByKeysAndClicks) {
  Reports reports;
  Toolkit toolkit;
  open();
  // A choice: typing opens its drop-down list on the entry it begins; Enter takes it.
  ZK_FormGridSelect(kForm, kGrid, 1, "genre", false);
  SendMessageA(list(), WM_CHAR, 't', 0);
  const ZK_Grid* grid = ZK_GridFindIntl(kForm, kGrid);
  ASSERT_NE(grid->editor, nullptr);
  EXPECT_EQ(form_test::textOf(grid->editor), "Travel");
  key(VK_RETURN, false, grid->editor);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 1, "genre"), "Travel");
  EXPECT_EQ(take(), Texts{"CELLCHG 1 genre Home>Travel"});

  // A check box: Space toggles it, a click on its box too, a veto keeps it.
  ZK_FormGridSelect(kForm, kGrid, 0, "vu", false);
  key(VK_SPACE);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "vu"), "non");
  RECT box = {};
  ASSERT_TRUE(ZK_GridCheckBoxRectIntl(*grid, 1, 3, &box));
  const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
  // The release waits in the queue: the list's own click handling looks for it (drag detection).
  PostMessageA(list(), WM_LBUTTONUP, 0, at);
  SendMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  pump();
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 1, "vu"), "oui");
  gAnswers[ZK_CELLCHG] = 1;
  key(VK_SPACE);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 1, "vu"), "oui");
  EXPECT_EQ(take(), (Texts{"CELLCHG 0 vu oui>non", "ROWCHG 1 vu", "CELLCHG 1 vu non>oui",
                           "CELLCHG 1 vu oui>non"}));
  // No editor opens on a check box.
  key(VK_F2);
  EXPECT_EQ(grid->editor, nullptr);
  EXPECT_EQ(reports.count(), 0u);
}

// A choice's entries changed while the form is open: the next editor lists them, and the check
// of a column without EDIT takes them alone.
TEST(GridColumns, ChoiceEntriesClearedAndAdded) {
  Reports reports;
  Toolkit toolkit;
  open();
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "genre", ZK_CLEARVALUE, ""), 0);
  for (const char* entry : {" Loisirs ", "Sant\xE9", "", "a;b"})
    EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "genre", ZK_ADDVALUE, entry), 0);
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "montant", ZK_ADDVALUE, "1"), 0);
  ZK_FormGridSelect(kForm, kGrid, 0, "genre", true);
  const ZK_Grid* grid = ZK_GridFindIntl(kForm, kGrid);
  ASSERT_NE(grid->editor, nullptr);
  ASSERT_EQ(SendMessageA(grid->editor, CB_GETCOUNT, 0, 0), 2);
  char entry[32] = "";
  SendMessageA(grid->editor, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, "Sant\xE9");
  key(VK_ESCAPE, false, grid->editor);
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "Food"), ZK_ERR_PASTE_REFUSED);
  EXPECT_EQ(ZK_FormGridPaste(kForm, kGrid, "loisirs"), ZK_OK);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "genre"), "Loisirs");
  // A column that takes new entries: the letters typed to open its editor are all kept.
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "genre", ZK_EDIT, "true"), 0);
  SetFocus(list());
  SendMessageA(list(), WM_CHAR, 'C', 0);
  ASSERT_NE(grid->editor, nullptr);
  for (const char c : std::string("ourses")) SendMessageA(GetFocus(), WM_CHAR, c, 0);
  key(VK_RETURN, false, GetFocus());
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "genre"), "Courses");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(GridColumns, WidthsAndHiddenColumnsAndTheSelection) {
  Reports reports;
  Toolkit toolkit;
  open();
  EXPECT_EQ(ZK_FormGridColumnWidth(kForm, kGrid, "montant"), 110);
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "montant", ZK_WIDTH, "80"), 0);
  EXPECT_EQ(ListView_GetColumnWidth(list(), 1), 80);
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "montant", ZK_VISIBLE, "false"), 0);
  EXPECT_EQ(ZK_FormGridColumnWidth(kForm, kGrid, "montant"), 0);
  ZK_FormGridSelect(kForm, kGrid, 0, "date", false);
  key(VK_RIGHT);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).column, "genre") << "Right skips a hidden column";
  key('C', true);
  EXPECT_EQ(clipped(), "01/03/2026\tFood\toui\r\n") << "and Ctrl+C leaves it out";
  ZK_FormGridColumnSet(kForm, kGrid, "montant", ZK_VISIBLE, "true");
  EXPECT_EQ(ZK_FormGridColumnWidth(kForm, kGrid, "montant"), 80);
  EXPECT_EQ(ZK_FormGridColumnWidth(kForm, kGrid, "absente"), -1);

  std::vector<int> selected;
  EXPECT_EQ(ZK_FormGridSelectRows(kForm, kGrid, 1, 1, true), 0);
  EXPECT_EQ(ZK_FormGridSelection(kForm, kGrid, selected), 0);
  EXPECT_EQ(selected, (std::vector<int>{0, 1}));
  EXPECT_EQ(ZK_FormGridSelectRows(kForm, kGrid, 0, 2, false), ZK_ERR_ROW_RANGE);
  EXPECT_EQ(ZK_FormGridSelection(kForm, "absente", selected), ZK_ERR_ITEM_NOT_FOUND);
  ZK_FormGridVirtual(
      kForm, kGrid, 20000,
      [](const std::string&, const std::string&, int, const std::string&, std::string& text) {
        text = "x";
        return 0;
      });
  key('A', true);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).selected, 20000);
  EXPECT_EQ(reports.count(), 0u);
}

// Negative amounts in red, the second row on yellow; the selected row keeps the highlight.
int colours(const std::string& form, const std::string& grid, int row, const std::string& column,
            std::int32_t& text, std::int32_t& back) {
  if (row == 1) back = 0x00FFFF;
  if (column == "montant" && ZK_FormGridCellGet(form, grid, row, column)[0] == '-') text = 0x0000FF;
  return 0;
}

int countPixels(HWND window, const RECT& area, COLORREF colour) {
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += GetPixel(dc, x, y) == colour ? 1 : 0;
  ReleaseDC(window, dc);
  return count;
}

TEST(GridColours, TheColourProcedureColoursCellsUnderTheHighlight) {
  Reports reports;
  Toolkit toolkit;
  const long start = ZK_GdiCountIntl();
  open();
  ZK_FormGridColours(kForm, kGrid, colours);
  ZK_FormGridRowInsert(kForm, kGrid, -1, {"03/03/2026", "-4", "Food", "non"});
  ZK_FormGridSelect(kForm, kGrid, 2, "date", false);
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT amount0 = {}, row1 = {}, amount2 = {};
  ListView_GetSubItemRect(list(), 0, 1, LVIR_BOUNDS, &amount0);
  ListView_GetSubItemRect(list(), 1, 2, LVIR_BOUNDS, &row1);
  ListView_GetSubItemRect(list(), 2, 1, LVIR_BOUNDS, &amount2);
  EXPECT_GT(countPixels(list(), amount0, RGB(255, 0, 0)), 5) << "a negative amount in red";
  EXPECT_GT(countPixels(list(), row1, RGB(255, 255, 0)), 100) << "the marked row on yellow";
  EXPECT_GT(countPixels(list(), amount2, GetSysColor(COLOR_HIGHLIGHT)), 100)
      << "the selected row keeps its highlight";
  ZK_FormGridColours(kForm, kGrid, nullptr);
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(countPixels(list(), row1, RGB(255, 255, 0)), 0);

  // Every new piece used, then the form closed: the GDI objects are all given back.
  for (int cycle = 0; cycle < 3; ++cycle) {
    ZK_FormGridColours(kForm, kGrid, colours);
    ZK_FormGridPaste(kForm, kGrid, "05/03/2026\t1\tHome\toui");
    ZK_FormGridColumnSet(kForm, kGrid, "montant", ZK_VISIBLE, "false");
    ZK_FormGridSelect(kForm, kGrid, 0, "genre", true);
    key(VK_INSERT);
    key(VK_DELETE);
    SendMessageA(ZK_WindowLookupIntl(kForm).hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    ASSERT_EQ(ZK_FormClose(kForm), 0);
    EXPECT_EQ(ZK_GdiCountIntl(), start) << "cycle " << cycle;
    open("ftname=Arial;ftsize=11;paste=true;addrows=true;delrows=true");
  }
  EXPECT_EQ(reports.count(), 0u);
}

// The grid's custom-draw answers go straight back to its list; an event procedure that takes a
// notification over still answers through DWLP_MSGRESULT, as in any dialog.
TEST(GridColours, AnEventProcedureThatTakesTheCustomDrawOverIsAnswered) {
  Reports reports;
  Toolkit toolkit;
  open();
  ZK_FormGridColours(kForm, kGrid, colours);
  RECT row1 = {};
  ListView_GetSubItemRect(list(), 1, 2, LVIR_BOUNDS, &row1);
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(countPixels(list(), row1, RGB(255, 255, 0)), 100) << "the grid's own answers";
  EXPECT_GT(countPixels(list(), row1, RGB(0, 0, 0)), 5) << "the row's text";
  gSkipPaint = true;
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  gSkipPaint = false;
  // Nothing drawn at all: neither the row's colour nor any text.
  EXPECT_EQ(countPixels(list(), row1, RGB(255, 255, 0)), 0) << "the event procedure's answer";
  EXPECT_EQ(countPixels(list(), row1, RGB(0, 0, 0)), 0) << "the event procedure's answer";
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(countPixels(list(), row1, RGB(255, 255, 0)), 100) << "the grid's own answers again";
  SendMessageA(ZK_WindowLookupIntl(kForm).hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  pump();
  EXPECT_EQ(ZK_FormClose(kForm), 0);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
