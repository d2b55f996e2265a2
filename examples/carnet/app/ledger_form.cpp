// The ledger form: a borderless form filling the main window, its grid of the entries (rows asked
// of the ledger as they show): three typed columns, the running balance read-only (red below
// zero) and the category chosen from those the ledger has; edits, pastes, deletions and sorts
// passed to the ledger, each one step of its history; the status bar that reads "<n> écritures,
// total <amount>".
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
  bool balance;  // the running balance, which no field of the entry holds
  int width;
  const char* title;
  const char* properties;
};

// 15 integer digits and 9 decimals: every amount the ledger holds, written back as it is. The
// balance of a million entries of the largest amounts needs 22 integer digits.
const GridColumn kColumns[] = {
    {"date", carnet::Column::Date, false, 100, "Date", "type=date;format=dd/mm/yyyy;notnull=true"},
    {"libelle", carnet::Column::Label, false, 230, "Libell\xE9", "length=100;notnull=true"},
    {"montant", carnet::Column::Amount, false, 120, "Montant",
     "type=currency;format=999999999999999,888888888;notnull=true"},
    {"solde", carnet::Column::Amount, true, 120, "Solde",
     "type=currency;format=9999999999999999999999,888888888;enable=false"},
    {"categorie", carnet::Column::Category, false, 130, "Cat\xE9gorie",
     "type=choice;edit=true;length=100"},
};
constexpr char kCategoryColumn[] = "categorie";

constexpr char kRefused[] = "Saisie incorrecte";
// Balances below zero: the text in red.
constexpr std::int32_t kNegativeColour = RGB(192, 0, 0);

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
  const std::size_t entry = static_cast<std::size_t>(row);
  text = shown->balance ? CarnetLedger().BalanceText(entry)
                        : CarnetLedger().Text(entry, shown->column);
  return 0;
}

int cellColours(const std::string&, const std::string&, int row, const std::string& column,
                std::int32_t& text, std::int32_t&) {
  const GridColumn* shown = columnNamed(column);
  if (shown == nullptr || !shown->balance || row < 0) return 1;
  if (CarnetLedger().BalanceText(static_cast<std::size_t>(row)).compare(0, 1, "-") == 0)
    text = kNegativeColour;
  return 0;
}

// The category column offers the categories the ledger has, and takes a new one.
void categoriesOffer() {
  static std::vector<std::string> offered;
  std::vector<std::string> categories = CarnetLedger().Categories();
  if (categories == offered) return;
  ZK_FormGridColumnSet(kCarnetLedgerForm, kCarnetGrid, kCategoryColumn, ZK_CLEARVALUE, "");
  for (const std::string& category : categories)
    ZK_FormGridColumnSet(kCarnetLedgerForm, kCarnetGrid, kCategoryColumn, ZK_ADDVALUE, category);
  offered = std::move(categories);
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
  if (column->column == carnet::Column::Category) categoriesOffer();
  // The balances below the entry, and with a period the rows shown, may have changed.
  if (column->column != carnet::Column::Label) CarnetRowsShow();
  CarnetStatusShow();
  return 0;
}

// A paste is one step of the history: the ledger takes its rows here, the rows past its last
// added whole, and the grid's cell changes that follow find the cells as pasted. Anything the
// ledger refuses takes the whole paste back.
int onPaste() {
  const GridRecord grid = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid);
  std::vector<const GridColumn*> columns;
  for (std::size_t c = 0; c < std::size(kColumns); ++c)
    if (kColumns[c].name == grid.eventColumn)
      for (int i = 0; i < grid.blockColumns && c + i < std::size(kColumns); ++i)
        columns.push_back(&kColumns[c + i]);
  if (columns.empty() || grid.blockColumns <= 0) return 1;
  carnet::Ledger& ledger = CarnetLedger();
  const std::size_t count = ledger.Count();
  carnet::Result result;
  bool changed = false;  // the group holds a step, which a refusal takes back
  ledger.GroupBegin();
  for (int r = 0; r < grid.blockRows && result.ok(); ++r) {
    const std::size_t entry = static_cast<std::size_t>(grid.eventRow + r);
    std::string fields[4];
    for (int c = 0; c < grid.blockColumns && result.ok(); ++c) {
      const GridColumn& column = *columns[static_cast<std::size_t>(c)];
      const std::string& text = grid.cells[static_cast<std::size_t>(r * grid.blockColumns + c)];
      if (column.balance) continue;
      if (entry >= count) {
        fields[static_cast<int>(column.column)] = text;
        continue;
      }
      const std::string before = ledger.Text(entry, column.column);
      result = ledger.Set(entry, column.column, text);
      changed = changed || (result.ok() && ledger.Text(entry, column.column) != before);
    }
    if (entry >= count && result.ok()) {
      result = ledger.Add(fields[0], fields[1], fields[2], fields[3]);
      changed = changed || result.ok();
    }
  }
  ledger.GroupEnd();
  if (!result.ok()) {
    if (changed) ledger.Undo();
    CarnetRowsShow();
    CarnetStatusSet(std::string(kRefused) + " : " + result.message);
    return 1;
  }
  CarnetRowsShow();
  return 0;
}

// Delete in the grid: the selected entries go, in one step.
int onRowsDelete() {
  const GridRecord grid = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid);
  std::vector<std::size_t> entries(grid.rowList.begin(), grid.rowList.end());
  if (entries.empty() || !CarnetLedger().Delete(entries).ok()) return 1;
  CarnetRowsShow();
  return 0;
}

// A title's click: the ledger sorts its entries, the grid shows them again with the title's arrow.
int onSort() {
  const GridRecord grid = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid);
  const GridColumn* column = columnNamed(grid.sortColumn);
  // The balance follows the order shown: it sorts nothing.
  if (column == nullptr || column->balance) return 1;
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
  if (event == ZK_CELLPASTE) return onPaste();
  if (event == ZK_ROWDEL) return onRowsDelete();
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
  // Delete deletes the selected entries; Ctrl+V pastes rows.
  int status = ZK_FormItemAdd(kCarnetLedgerForm, kCarnetGrid, ZK_DATAGRID, 1, 0, 0, 0, 0,
                              "ftname=Arial;ftsize=10;anchor=fill;delrows=true;paste=true");
  int order = 1;
  for (const GridColumn& column : kColumns) {
    if (status == 0)
      status = ZK_FormGridColumnAdd(kCarnetLedgerForm, kCarnetGrid, column.name, order++,
                                    column.width, column.title, column.properties);
  }
  if (status == 0)
    status = ZK_FormCreate(kCarnetLedgerForm, "edge=false;fill=true", 0, 0, 0, 0, onLedgerEvent);
  if (status == 0) status = ZK_FormGridColours(kCarnetLedgerForm, kCarnetGrid, cellColours);
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
  categoriesOffer();
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
  if (!CarnetLedger().Delete(std::vector<std::size_t>(rows.begin(), rows.end())).ok()) return;
  CarnetRowsShow();
  const std::size_t count = CarnetLedger().Count();
  if (count > 0) CarnetEntrySelect(std::min(static_cast<std::size_t>(rows.back()), count - 1));
}

void CarnetHistoryStep(bool undo) {
  carnet::Ledger& ledger = CarnetLedger();
  if (!(undo ? ledger.Undo() : ledger.Redo())) return;
  CarnetRowsShow();
  const std::size_t entry = ledger.ChangedEntry();
  if (entry != carnet::kNoEntry) CarnetEntrySelect(entry);
}

void CarnetEntrySelect(std::size_t entry) {
  ZK_FormGridSelect(kCarnetLedgerForm, kCarnetGrid, static_cast<int>(entry), kColumns[0].name,
                    false);
}
