// The ledger form: a borderless form filling the main window, its grid of the entries with three
// typed columns (rows asked of the ledger as they show), edits and sorts passed to the ledger, and
// the status bar that reads "<n> écritures, total <amount>".
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

struct GridColumn {
  const char* name;
  carnet::Column column;
  int width;
  const char* title;
  const char* properties;
};

// 15 integer digits and 9 decimals: every amount the ledger holds, written back as it is.
const GridColumn kColumns[] = {
    {"date", carnet::Column::Date, 100, "Date", "type=date;format=dd/mm/yyyy;notnull=true"},
    {"libelle", carnet::Column::Label, 400, "Libell\xE9", "length=100;notnull=true"},
    {"montant", carnet::Column::Amount, 170, "Montant",
     "type=currency;format=999999999999999,888888888;notnull=true"},
};

constexpr char kRefused[] = "Saisie incorrecte";

const GridColumn* columnNamed(const std::string& name) {
  for (const GridColumn& column : kColumns)
    if (name == column.name) return &column;
  return nullptr;
}

HWND gridWindow() {
  return ZK_FormItemGet(kCarnetLedgerForm, kCarnetGrid).hwnd;
}

int cellText(const std::string&, const std::string&, int row, const std::string& column,
             std::string& text) {
  const GridColumn* shown = columnNamed(column);
  if (shown == nullptr || row < 0) return 1;
  text = CarnetLedger().Text(static_cast<std::size_t>(row), shown->column);
  return 0;
}

// An accepted cell goes to the ledger, which checks it as its file reader would; a refusal keeps
// the editor open with the reason in the status bar.
int onCellChange() {
  const GridRecord grid = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid);
  const GridColumn* column = columnNamed(grid.eventColumn);
  if (column == nullptr || grid.eventRow < 0) return 1;
  const carnet::Result result =
      CarnetLedger().Set(static_cast<std::size_t>(grid.eventRow), column->column, grid.text);
  if (!result.ok()) {
    CarnetStatusSet(std::string(kRefused) + " : " + result.message);
    return 1;
  }
  CarnetStatusShow();
  return 0;
}

// A title's click: the ledger sorts its entries, the grid shows them again with the title's arrow.
int onSort() {
  const GridRecord grid = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid);
  const GridColumn* column = columnNamed(grid.sortColumn);
  if (column == nullptr) return 1;
  CarnetLedger().Sort(column->column, grid.descending);
  CarnetRowsShow();
  return 0;
}

int onLedgerEvent(std::string, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  // The form lives as long as the window: Escape in the grid must not close it.
  if (event == ZK_FORMCLOSE) return 1;
  if (item != kCarnetGrid) return 0;
  if (event == ZK_CELLCHG) return onCellChange();
  if (event == ZK_COLSORT) return onSort();
  return 0;
}

// The rows the user selected, highest first, or the current row alone.
std::vector<int> selectedRows() {
  std::vector<int> rows;
  ZK_FormGridSelection(kCarnetLedgerForm, kCarnetGrid, rows);
  std::reverse(rows.begin(), rows.end());
  const int current = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid).row;
  if (rows.empty() && current >= 0) rows.push_back(current);
  return rows;
}

}  // namespace

int CarnetLedgerFormOpen() {
  // The form fills the main window and follows its size; the grid fills the form above its
  // status bar.
  int status = ZK_FormItemAdd(kCarnetLedgerForm, kCarnetGrid, ZK_DATAGRID, 1, 0, 0, 0, 0,
                              "ftname=Arial;ftsize=10;anchor=fill");
  int order = 1;
  for (const GridColumn& column : kColumns) {
    if (status == 0)
      status = ZK_FormGridColumnAdd(kCarnetLedgerForm, kCarnetGrid, column.name, order++,
                                    column.width, column.title, column.properties);
  }
  if (status == 0)
    status = ZK_FormCreate(kCarnetLedgerForm, "edge=false;fill=true", 0, 0, 0, 0, onLedgerEvent);
  if (status != 0) return status;
  CarnetRowsShow();
  CarnetGridFocus();
  return 0;
}

void CarnetGridFocus() {
  HWND list = gridWindow();
  if (list != nullptr && IsWindowEnabled(CarnetWindowHandle())) SetFocus(list);
}

void CarnetRowsShow() {
  ZK_FormGridVirtual(kCarnetLedgerForm, kCarnetGrid, static_cast<int>(CarnetLedger().Count()),
                     cellText);
  CarnetStatusShow();
}

void CarnetStatusShow() {
  CarnetStatusSet(CarnetLedger().StatusText());
  CarnetTitleShow();
}

void CarnetStatusSet(const std::string& text) {
  ZK_FormStatusSet(kCarnetLedgerForm, text);
}

std::string CarnetStatusShown() {
  HWND grid = gridWindow();
  HWND bar = grid != nullptr ? FindWindowExA(GetParent(grid), nullptr, STATUSCLASSNAMEA, nullptr)
                             : nullptr;
  char text[256] = "";
  if (bar != nullptr) SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

void CarnetDeleteSelected() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty()) return;
  for (int row : rows) CarnetLedger().Delete(static_cast<std::size_t>(row));
  CarnetRowsShow();
  const std::size_t count = CarnetLedger().Count();
  if (count > 0) CarnetEntrySelect(std::min(static_cast<std::size_t>(rows.back()), count - 1));
}

void CarnetEntrySelect(std::size_t entry) {
  ZK_FormGridSelect(kCarnetLedgerForm, kCarnetGrid, static_cast<int>(entry), kColumns[0].name,
                    false);
}
