// A live grid: the events of an accepted, a refused and a vetoed edit, rows asked of the
// application only when shown, bad input, the GDI objects given back, and the statuses of its
// declaration and changes.
#include <gtest/gtest.h>

#include <functional>
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
using Sequence = std::vector<std::string>;

constexpr char kForm[] = "fiche";
constexpr char kGrid[] = "grille";

// The grid's events with their cell, other events by name; answers as the test asks.
std::vector<std::string> gEvents;
std::map<std::string, int> gAnswers;
int onEvent(std::string form, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event == ZK_BEFORE || event == ZK_FORMOPENBEF || event == ZK_FORMOPENAFT) return 0;
  if (item == kGrid) {
    const GridRecord grid = ZK_FormGridGet(form, item);
    std::string line = event + " " + std::to_string(grid.eventRow) + " " + grid.eventColumn;
    if (event == ZK_CELLCHG) line += " " + grid.previous + ">" + grid.text;
    gEvents.push_back(line);
  } else {
    gEvents.push_back(event + " " + item);
  }
  const auto found = gAnswers.find(event);
  return found == gAnswers.end() ? 0 : found->second;
}

Sequence take() {
  Sequence all;
  all.swap(gEvents);
  return all;
}

struct Column {
  const char* name;
  const char* properties;
};
const Column kColumns[] = {
    {"date", "type=date;format=dd/mm/yyyy;notnull=true;remark=La date"},
    {"libelle", "length=10;remark=Le libell\xE9"},
    {"montant", "type=currency;format=9999,88;bkcol=yellow"},
};

void declare(const std::string& gridProperties = "") {
  ASSERT_EQ(ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 400, 200, gridProperties), 0);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "suite", ZK_EDIT, 2, 10, 220, 150, 22, "remark=Suite"), 0);
  int order = 1;
  for (const Column& column : kColumns)
    ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, column.name, order++, 120, column.name,
                                   column.properties),
              0);
}

void open() {
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 440, 300, onEvent), 0);
  pump();
}

HWND list() {
  return ZK_FormItemGet(kForm, kGrid).hwnd;
}

HWND editor() {
  const ZK_Grid* grid = ZK_GridFindIntl(kForm, kGrid);
  return grid != nullptr ? grid->editor : nullptr;
}

void key(HWND window, WPARAM virtualKey) {
  SendMessageA(window, WM_KEYDOWN, virtualKey, 0);
  pump();
}

// Opens the editor on a cell with F2 and replaces its text, as a user selecting all and typing.
void editCell(int row, const char* column, const std::string& text) {
  ASSERT_EQ(ZK_FormGridSelect(kForm, kGrid, row, column, false), 0);
  SetFocus(list());
  key(list(), VK_F2);
  ASSERT_NE(editor(), nullptr);
  SendMessageA(editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string shown(int row, int column) {
  char text[64] = {};
  ListView_GetItemText(list(), row, column, text, sizeof text);
  return text;
}

void heldRows() {
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"01/03/2026", "Pain", "-2,5"}), 0);
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"02/03/2026", "Loyer", "-780"}), 0);
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"03/03/2026", "Salaire", "2150"}), 0);
}

TEST(Grid, AcceptedRefusedAndVetoedEditsRaiseTheirEvents) {
  Reports reports;
  Toolkit toolkit;
  declare();
  heldRows();
  open();
  EXPECT_EQ(shown(1, 1), "Loyer");
  take();

  editCell(1, "libelle", "Courses du mois");
  key(editor(), VK_RETURN);
  // Cut to its length, as an EDIT item's text.
  EXPECT_EQ(take(), (Sequence{"CELLCHG 1 libelle Loyer>Courses du"}));
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 1, "libelle"), "Courses du");
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing);

  editCell(0, "date", "");
  key(editor(), VK_RETURN);
  EXPECT_EQ(take(), Sequence{});
  EXPECT_TRUE(ZK_FormGridGet(kForm, kGrid).editing);
  EXPECT_EQ(statusText(kForm), "Saisie obligatoire");
  key(editor(), VK_ESCAPE);
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "date"), "01/03/2026");
  EXPECT_EQ(statusText(kForm), "La date");  // the text before the refusal comes back

  editCell(0, "montant", "abc");
  key(editor(), VK_RETURN);
  EXPECT_EQ(statusText(kForm), "Saisie incorrecte");
  SendMessageA(editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
  gAnswers[ZK_CELLCHG] = 1;
  key(editor(), VK_RETURN);
  EXPECT_EQ(take(), (Sequence{"CELLCHG 0 montant -2,5>7"}));
  EXPECT_TRUE(ZK_FormGridGet(kForm, kGrid).editing) << "a vetoed value keeps its editor";
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "montant"), "-2,5");
  gAnswers.clear();
  key(editor(), VK_TAB);
  EXPECT_EQ(take(), (Sequence{"CELLCHG 0 montant -2,5>7", "ROWCHG 1 date"}));
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "montant"), "7");

  // Tab went on from the last column to the next row; Enter activates it and edits its cell.
  const GridRecord grid = ZK_FormGridGet(kForm, kGrid);
  EXPECT_EQ(grid.row, 1);
  EXPECT_EQ(grid.column, "date");
  gAnswers[ZK_ROWACT] = 1;
  key(list(), VK_RETURN);
  EXPECT_EQ(take(), (Sequence{"ROWACT 1 date"}));
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing) << "the procedure took the activation";
  key(list(), VK_DOWN);
  EXPECT_EQ(take(), (Sequence{"ROWCHG 2 date"}));
  EXPECT_EQ(reports.count(), 0u);
}

// A program whose catalogue language is "US" hears its grid's refusals in English too, a wrong
// date without a remark included.
TEST(Grid, RefusalsComeInTheProgramsLanguage) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_CatalogueLanguageSet("US"), ZK_OK);
  ASSERT_EQ(ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 400, 200, ""), 0);
  ASSERT_EQ(
      ZK_FormGridColumnAdd(kForm, kGrid, "jour", 1, 120, "Jour", "type=date;format=dd/mm/yyyy"), 0);
  ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, "somme", 2, 120, "Somme",
                                 "type=currency;format=9999,88;notnull=true"),
            0);
  ASSERT_EQ(
      ZK_FormGridColumnAdd(kForm, kGrid, "prix", 3, 120, "Prix", "type=currency;format=99,88"), 0);
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"01/03/2026", "5", "1"}), 0);
  open();
  struct Case {
    const char* column;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {"jour", "32/13/2026", "Incorrect input"},
      {"somme", "", "Input required"},
      {"prix", "abc", "Incorrect input"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.column) + " " + c.typed);
    editCell(0, c.column, c.typed);
    key(editor(), VK_RETURN);
    EXPECT_TRUE(ZK_FormGridGet(kForm, kGrid).editing);
    EXPECT_EQ(statusText(kForm), c.message);
    key(editor(), VK_ESCAPE);
  }
  ZK_CatalogueLanguageSet(ZK_LANGUAGE);
  EXPECT_EQ(reports.count(), 0u);
}

// The application's rows: a million, asked for only as they are shown.
std::map<int, std::string> gStored;
int gAsked = 0;
int cellOf(const std::string&, const std::string&, int row, const std::string& column,
           std::string& text) {
  ++gAsked;
  if (row % 7 == 3) return 1;  // answers nothing: the cell stays blank
  const auto stored = gStored.find(row);
  if (column == "libelle" && stored != gStored.end()) {
    text = stored->second;
  } else if (column != "nouvelle") {
    text = column.substr(0, 1) + std::to_string(row);
  }
  return 0;
}

int storeEvent(std::string form, std::string item, std::string event, HWND dialog, UINT message,
               WPARAM wParam, LPARAM lParam) {
  if (event == ZK_CELLCHG) {
    const GridRecord grid = ZK_FormGridGet(form, item);
    gStored[grid.eventRow] = grid.text;
  }
  return onEvent(form, item, event, dialog, message, wParam, lParam);
}

TEST(Grid, VirtualRowsAreAskedForOnlyWhenShown) {
  Reports reports;
  Toolkit toolkit;
  declare();
  ASSERT_EQ(ZK_FormGridVirtual(kForm, kGrid, 1000000, cellOf), 0);
  EXPECT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"x"}), ZK_ERR_GRID_VIRTUAL);
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 440, 300, storeEvent), 0);
  pump();
  UpdateWindow(list());
  EXPECT_EQ(ListView_GetItemCount(list()), 1000000);
  EXPECT_GT(gAsked, 0);
  EXPECT_LT(gAsked, 300);
  EXPECT_EQ(shown(2, 1), "l2");
  EXPECT_EQ(shown(3, 1), "");
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 999999, "montant"), "m999999");

  editCell(999998, "libelle", "Neuf");
  key(editor(), VK_RETURN);
  EXPECT_EQ(gStored[999998], "Neuf");
  EXPECT_EQ(shown(999998, 1), "Neuf");
  const int top = ListView_GetTopIndex(list());
  EXPECT_TRUE(top <= 999998 && 999998 <= top + ListView_GetCountPerPage(list())) << top;

  // The application deletes rows under the current cell and its editor.
  editCell(999999, "libelle", "X");
  ASSERT_EQ(ZK_FormGridVirtual(kForm, kGrid, 10, cellOf), 0);
  pump();
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, 9);
  EXPECT_EQ(ListView_GetNextItem(list(), -1, LVNI_FOCUSED), 9);
  // A column added while open (after the others of its order) is asked for too, and shows blank
  // where the procedure says nothing; the current cell keeps its column.
  ZK_FormGridSelect(kForm, kGrid, 2, "montant", false);
  ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, "nouvelle", 2, 60, "Nouvelle", ""), 0);
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list())), 4);
  EXPECT_EQ(shown(2, 1), "l2");
  EXPECT_EQ(shown(2, 2), "");
  EXPECT_EQ(shown(2, 3), "m2");
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).column, "montant");
  EXPECT_EQ(reports.count(), 0u);
}

// New rows, colours and orders repaint the rows; the column headers, which they leave as they
// were, are not drawn again.
TEST(Grid, RowChangesRepaintTheRowsNotTheHeaders) {
  Reports reports;
  Toolkit toolkit;
  declare();
  ASSERT_EQ(ZK_FormGridVirtual(kForm, kGrid, 1000, cellOf), 0);
  open();
  HWND headers = ListView_GetHeader(list());
  ASSERT_NE(headers, nullptr);
  UpdateWindow(list());
  const auto headerPixels = [&] {
    RECT area = {};
    GetClientRect(headers, &area);
    HDC dc = GetDC(headers);
    std::vector<COLORREF> pixels;
    for (int x = 0; x < area.right; ++x) pixels.push_back(GetPixel(dc, x, area.bottom / 2));
    ReleaseDC(headers, dc);
    return pixels;
  };
  const std::vector<COLORREF> drawn = headerPixels();
  const auto changed = [&](const char* what, const std::function<int()>& change) {
    SCOPED_TRACE(what);
    ASSERT_EQ(change(), 0);
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(list(), &update, FALSE));
    EXPECT_FALSE(GetUpdateRect(headers, &update, FALSE));
    UpdateWindow(list());
    EXPECT_EQ(headerPixels(), drawn);
  };
  changed("more rows", [] { return ZK_FormGridVirtual(kForm, kGrid, 2000, cellOf); });
  changed("colours", [] { return ZK_FormGridColours(kForm, kGrid, nullptr); });
  EXPECT_EQ(shown(1500, 1), "l1500");
  EXPECT_EQ(reports.count(), 0u);
}

// Rows are moved by the grid itself on a million rows: each key's row, the selection it leaves,
// and ROWCHG for each move.
TEST(Grid, RowKeysMoveByTheListsRuleAndShiftExtendsTheSelection) {
  Reports reports;
  Toolkit toolkit;
  declare();
  ASSERT_EQ(ZK_FormGridVirtual(kForm, kGrid, 1000000, cellOf), 0);
  open();
  SetFocus(list());
  const int page = ListView_GetCountPerPage(list());
  ASSERT_GT(page, 2);
  struct Step {
    WPARAM key;
    bool shift;
    int row;       // the current row after the key
    int selected;  // rows selected after it
  };
  const Step steps[] = {
      {VK_NEXT, false, page - 1, 1},        // the last row in view
      {VK_NEXT, false, 2 * page - 1, 1},    // already there: a page further
      {VK_DOWN, true, 2 * page, 2},         // Shift: from the anchor to the new row
      {VK_NEXT, true, 3 * page, page + 2},  // still from the anchor
      {VK_UP, true, 3 * page - 1, page + 1},
      {VK_PRIOR, false, 2 * page + 1, 1},  // the first row in view, alone selected
      {VK_UP, false, 2 * page, 1},
  };
  take();
  BYTE keys[256] = {};
  for (const Step& step : steps) {
    SCOPED_TRACE(std::to_string(step.key) + (step.shift ? " with Shift" : ""));
    GetKeyboardState(keys);
    keys[VK_SHIFT] = step.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    key(list(), step.key);
    EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, step.row);
    EXPECT_EQ(ListView_GetNextItem(list(), -1, LVNI_FOCUSED), step.row);
    EXPECT_EQ(static_cast<int>(ListView_GetSelectedCount(list())), step.selected);
    EXPECT_EQ(take(), Sequence{"ROWCHG " + std::to_string(step.row) + " date"});
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(Grid, BadInputIsKeptWholeAndShownWithoutHarm) {
  Reports reports;
  Toolkit toolkit;
  declare();
  std::string everyByte;
  for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
  const std::string million(1000000, 'm');
  ASSERT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"", everyByte, million}), 0);
  heldRows();
  EXPECT_EQ(ZK_FormGridRowInsert(kForm, kGrid, -1, {"a", "b", "c", "d"}), ZK_ERR_COLUMN_NOT_FOUND);
  EXPECT_EQ(ZK_FormGridRowInsert(kForm, kGrid, 9, {}), ZK_ERR_ROW_RANGE);
  open();
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "libelle"), everyByte);
  EXPECT_EQ(ZK_FormGridCellGet(kForm, kGrid, 0, "montant"), million);
  EXPECT_EQ(shown(0, 2), std::string(63, 'm'));  // as much as the list's buffer takes

  // A held column added while open: the rows read it empty, and take a text for it.
  ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, "note", 0, 60, "Note", ""), 0);
  EXPECT_EQ(shown(1, 0), "");
  EXPECT_EQ(shown(1, 1), "01/03/2026");
  ASSERT_EQ(ZK_FormGridCellSet(kForm, kGrid, 1, "note", "vu"), 0);
  EXPECT_EQ(shown(1, 0), "vu");

  // Rows deleted under the current cell and its editor.
  editCell(3, "libelle", "Autre");
  ASSERT_EQ(ZK_FormGridRowDelete(kForm, kGrid, 3), 0);
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, 2);
  for (int row = 2; row >= 0; --row) ASSERT_EQ(ZK_FormGridRowDelete(kForm, kGrid, row), 0);
  EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, -1);
  SetFocus(list());
  for (int k : {VK_F2, VK_RETURN, VK_DOWN, VK_END, VK_TAB, int{'C'}})
    key(list(), static_cast<WPARAM>(k));
  EXPECT_FALSE(ZK_FormGridGet(kForm, kGrid).editing);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(Grid, OpenAndCloseCyclesGiveBackEveryGdiObject) {
  Reports reports;
  Toolkit toolkit;
  const long start = ZK_GdiCountIntl();
  for (int cycle = 0; cycle < 4; ++cycle) {
    declare("ftname=Arial;ftsize=12;ftbold=true;bkcol=white;txcol=blue");
    heldRows();
    open();
    ASSERT_EQ(ZK_FormItemSet(kForm, kGrid, ZK_FTSIZE, "14"),
              0);  // a second font replaces the first
    editCell(0, "libelle", "X");
    SendMessageA(ZK_WindowLookupIntl(kForm).hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    ASSERT_EQ(ZK_FormClose(kForm), 0);
    EXPECT_EQ(ZK_GdiCountIntl(), start) << "cycle " << cycle;
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(Grid, DeclarationsAndChangesAnswerWithTheirStatus) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 400, 200, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "champ", ZK_EDIT, 2, 10, 220, 100, 22, ""), 0);
  struct Case {
    const char* grid;
    const char* column;
    const char* properties;
    int status;
  };
  const Case cases[] = {
      {kGrid, "a", "", ZK_OK},
      {"absente", "a", "", ZK_ERR_ITEM_NOT_FOUND},
      {"champ", "a", "", ZK_ERR_NOT_A_GRID},
      {kGrid, "", "", ZK_ERR_COLUMN_NOT_FOUND},
      {kGrid, "a", "", ZK_ERR_COLUMN_EXISTS},
      {kGrid, "b", "type=nombre", ZK_ERR_DATA_TYPE},
      {kGrid, "b", "type=date", ZK_ERR_FORMAT_MISSING},
      {kGrid, "b", "type=currency;format=99,8;notnull=yes", ZK_OK},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZK_FormGridColumnAdd(kForm, c.grid, c.column, 1, 50, "", c.properties), c.status)
        << c.grid << " " << c.column << " " << c.properties;
  }
  EXPECT_EQ(reports.count(), 6u);  // declarations report their faults
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "a", "value", "Titre"), ZK_OK);
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "a", ZK_TYPE, ZK_DATE), ZK_ERR_KEYWORD_UNKNOWN);
  EXPECT_EQ(ZK_FormGridColumnSet(kForm, kGrid, "z", ZK_REMARK, ""), ZK_ERR_COLUMN_NOT_FOUND);
  EXPECT_EQ(ZK_FormGridCellSet(kForm, kGrid, 0, "a", "x"), ZK_ERR_ROW_RANGE);
  EXPECT_EQ(ZK_FormGridVirtual(kForm, kGrid, -1, cellOf), ZK_ERR_ROW_RANGE);
  EXPECT_EQ(reports.count(), 6u);  // changes only answer

  // Without columns a DATAGRID gets no control, and opening says nothing.
  ASSERT_EQ(ZK_FormItemAdd("autre", "vide", ZK_DATAGRID, 1, 0, 0, 100, 100, ""), 0);
  ASSERT_EQ(ZK_FormCreate("autre", "", 10, 10, 300, 200, nullptr), 0);
  EXPECT_EQ(ZK_FormItemGet("autre", "vide").hwnd, nullptr);
  EXPECT_EQ(reports.count(), 6u);
}

}  // namespace
