// A data grid on Zarvik: a list of expenses with typed columns (a required date, a label of at most
// 40 characters, an exact amount, a category from a list, a "checked" box), held by the toolkit,
// edited in place, sorted by a click on a column's title, pasted into from a spreadsheet (Ctrl+V),
// rows added (Insert, Tab past the last cell) and deleted (Delete); negative amounts in red and
// checked rows marked; a label shows the total. Opens at start; File > Quit ends it.
#include <windows.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include <zarvik/zarvik.h>

namespace {

constexpr char kForm[] = "expenses";
constexpr char kGrid[] = "list";

struct Column {
  const char* name;
  int width;
  const char* title;
  const char* properties;
};

const Column kColumns[] = {
    {"date", 100, "Date",
     "type=date;format=dd/mm/yyyy;notnull=true;remark=Date: 1 is the 1st of this month"},
    {"label", 220, "Label", "length=40;notnull=true;remark=What the money went on (40 characters)"},
    {"amount", 110, "Amount",
     "type=currency;format=999999999,88;notnull=true;remark=Amount, - for an expense"},
    {"category", 100, "Category",
     "type=choice;value1=Food;value2=Home;value3=Income;value4=Leisure;value5=Travel;"
     "remark=A category from the list (Alt+Down opens it)"},
    {"checked", 70, "Checked", "type=check;format=yes/no;remark=Space or a click ticks it"},
    {"by", 90, "Entered by", "enable=false;bkcol=lightgrey"},
};

const char* const kRows[][6] = {
    {"02/03/2026", "Bakery", "-3,2", "Food", "yes", "Anne"},
    {"28/02/2026", "Salary", "2150", "Income", "yes", "Paul"},
    {"05/03/2026", "Train ticket", "-47,5", "Travel", "no", "Anne"},
    {"01/03/2026", "Rent", "-780", "Home", "yes", "Paul"},
    {"04/03/2026", "Books", "-32,9", "Leisure", "no", "Anne"},
    {"03/03/2026", "Market", "-18,45", "Food", "no", "Paul"},
};

// Negative amounts in red; a checked row on a pale green.
int colourOf(const std::string& form, const std::string& grid, int row, const std::string& column,
             std::int32_t& text, std::int32_t& back) {
  if (ZK_FormGridCellGet(form, grid, row, "checked") == "yes") back = 0xE0F4E0;
  if (column == "amount" && ZK_FormGridCellGet(form, grid, row, column).rfind('-', 0) == 0)
    text = 0x0000C0;
  return 0;
}

// The total of the amount column, exact: amounts are read as whole cents.
std::string total() {
  long long cents = 0;
  const int rows = ZK_FormGridGet(kForm, kGrid).rows;
  for (int row = 0; row < rows; ++row) {
    CurrencyValue amount;
    amount.SetFormat("999999999,88");
    amount.Parse(ZK_FormGridCellGet(kForm, kGrid, row, "amount"));
    if (amount.IsEmpty()) continue;
    const long long fraction = amount.fraction == 0 ? 0 : (amount.fraction - 1000000000) / 10000000;
    cents += (amount.negative ? -1 : 1) * (amount.units * 100 + fraction);
  }
  const long long whole = cents < 0 ? -cents : cents;
  const std::string fraction = std::to_string(100 + whole % 100).substr(1);
  return std::to_string(rows) + " rows, total " + (cents < 0 ? "-" : "") +
         std::to_string(whole / 100) + "," + fraction;
}

// The grid's changes: held rows have changed when their event comes, so the total is read anew.
bool changesRows(const std::string& event) {
  return event == ZK_CELLCHG || event == ZK_CELLPASTE || event == ZK_ROWINS || event == ZK_ROWDEL;
}

int onEvent(std::string form, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (item == kGrid && event == ZK_CELLPASTE && ZK_FormGridGet(form, kGrid).addedRows > 20) {
    // Vetoed: the rows pasted are put back as they were, and the status bar says why.
    ZK_FormStatusSet(form, "A paste adds at most 20 rows");
    return 1;
  }
  if (item == kGrid && event == ZK_ROWINS) {
    // A new row is Anne's, not yet checked.
    const int row = ZK_FormGridGet(form, kGrid).eventRow;
    ZK_FormGridCellSet(form, kGrid, row, "by", "Anne");
    ZK_FormGridCellSet(form, kGrid, row, "checked", "no");
  }
  if (event == ZK_FORMOPENAFT || (item == kGrid && changesRows(event))) {
    ZK_FormItemSet(form, "total", ZK_VALUE, total());
  } else if (event == ZK_ITEMCLIC && item == "add") {
    const int row = ZK_FormGridGet(form, kGrid).rows;
    ZK_FormGridRowInsert(form, kGrid, row, {"", "", "", "", "no", "Anne"});
    ZK_FormGridSelect(form, kGrid, row, "date", true);
  } else if (event == ZK_ITEMCLIC && item == "delete") {
    // The selected rows, from the last up, or the current one.
    std::vector<int> rows;
    ZK_FormGridSelection(form, kGrid, rows);
    if (rows.empty()) rows.push_back(ZK_FormGridGet(form, kGrid).row);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
      ZK_FormGridRowDelete(form, kGrid, *row);
    ZK_FormItemSet(form, "total", ZK_VALUE, total());
  }
  return 0;
}

void openExpenses() {
  ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 700, 230,
                 "ftname=Arial;ftsize=10;txcol=0x602000;addrows=true;delrows=true;paste=true;"
                 "remark=Enter or F2 edits, a title sorts, Ctrl+V pastes, Insert adds a row");
  ZK_FormItemAdd(kForm, "add", ZK_BUTTON, 2, 10, 250, 90, 28, "value=Add");
  ZK_FormItemAdd(kForm, "delete", ZK_BUTTON, 3, 110, 250, 90, 28, "value=Delete");
  ZK_FormItemAdd(kForm, "total", ZK_STATIC, 4, 210, 250, 400, 28, "txhpos=right;txvpos=center");
  ZK_FormItemAdd(kForm, "close", ZK_BUTTON, 5, 620, 250, 90, 28, "button=ok;value=Close");
  int order = 1;
  for (const Column& column : kColumns)
    ZK_FormGridColumnAdd(kForm, kGrid, column.name, order++, column.width, column.title,
                         column.properties);
  for (const auto& row : kRows)
    ZK_FormGridRowInsert(kForm, kGrid, -1,
                         std::vector<std::string>(std::begin(row), std::end(row)));
  ZK_FormGridColours(kForm, kGrid, colourOf);
  ZK_FormCreate(kForm, "name=Expenses", 20, 20, 740, 340, onEvent);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect("Main");
    ZK_WindowRelease();
    return 0;
  }
  const std::string command = ZK_MenuCommand("menu", message, wParam);
  if (command == "quit") {
    PostQuitMessage(0);
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const int status =
      ZK_WindowMainCreate("Main", showCommand, mainProc, "name=Grid", 0, 0, 800, 460);
  if (status != 0) return status;
  ZK_MenuAdd("menu", "file", 1, 1, "&File", "");
  ZK_MenuAdd("menu", "quit", 1, 2, "&Quit", "");
  ZK_MenuDisplay("Main", "menu", "");
  openExpenses();
  return ZK_MessageLoop();
}
