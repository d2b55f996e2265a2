// Ctrl+V in a grid: tab-separated rows, as spreadsheets and the grid's own Ctrl+C put them on the
// clipboard, pasted from the current cell into the shown columns that follow it. Every cell is
// checked by its column's rules before anything changes; one refused cell refuses the whole
// paste and the status bar says which row, which column and why. Then CELLPASTE: held rows are
// written (and appended) first, and put back on a veto; a virtual grid's application is asked
// first, then given each cell through CELLCHG as an edit would.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {
// The program's code page: 1252, or UTF-8 when its manifest declares it.
constexpr UINT kTextCodePage = CP_ACP;
// The catalogue's text of a refused paste (a refused input without a message of its own says the
// input fields' "Saisie incorrecte").
constexpr int kRefusedText = 3;
constexpr char kRefusedBuiltIn[] = "Collage refus\xE9, ligne %1, colonne %2 : %3";

using Rows = std::vector<std::vector<std::string>>;

// Rows of cells: tabs between cells, a line break (CR LF, LF or CR) after each row, the last one
// optional; a cell that starts with a quote runs to the next lone quote, doubled quotes being one.
Rows parseRows(const std::string& text) {
  Rows rows;
  std::vector<std::string> row;
  std::string cell;
  bool any = false;  // the current row has begun
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (c == '"' && cell.empty()) {
      for (++at; at < text.size(); ++at) {
        if (text[at] != '"') {
          cell += text[at];
        } else if (at + 1 < text.size() && text[at + 1] == '"') {
          cell += '"';
          ++at;
        } else {
          ++at;
          break;
        }
      }
      any = true;
      continue;
    }
    ++at;
    if (c == '\t') {
      row.push_back(std::move(cell));
      cell.clear();
      any = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && at < text.size() && text[at] == '\n') ++at;
      row.push_back(std::move(cell));
      cell.clear();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
    } else {
      cell += c;
      any = true;
    }
  }
  if (any) {
    row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string replaced(std::string text, const std::string& mark, const std::string& by) {
  const std::size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

// The status bar says where and why; the status is returned.
int refuse(const ZK_Grid& grid, int row, const ZK_GridColumn& column, std::string why) {
  if (why.empty()) why = ZK_FieldIncorrectTextIntl();
  std::string text = ZK_CatalogueTextIntl(kRefusedText, kRefusedBuiltIn);
  text = replaced(text, "%1", ZK_IntToTextIntl(row + 1, 10));
  text = replaced(text, "%2", column.field.value.empty() ? column.name : column.field.value);
  ZK_FormStatusShowIntl(grid.form, replaced(text, "%3", why));
  return ZK_ERR_PASTE_REFUSED;
}

// The block as it will be written: each cell checked, its text and value as the check gives them.
struct Block {
  int row = 0;               // its first row and ...
  std::vector<int> columns;  // ... the grid's columns it goes to, in display order
  int width = 0;             // cells per row
  std::vector<std::string> texts;
  std::vector<FieldValue> values;
};

// Puts the held rows back as they were before a vetoed paste.
void putBack(ZK_Grid& grid, const Block& block, int countBefore, const GridRecord& event) {
  const int rows = static_cast<int>(block.texts.size()) / block.width;
  for (int r = 0; r < rows && block.row + r < countBefore; ++r)
    for (int c = 0; c < block.width; ++c) {
      const std::size_t i = static_cast<std::size_t>(r * block.width + c);
      const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(block.columns[c])];
      if (column.field.enabled)
        grid.rows.Set(static_cast<std::size_t>(block.row + r), column.slot, event.replaced[i]);
    }
  std::vector<int> added;
  for (int row = countBefore; row < static_cast<int>(grid.rows.Count()); ++row)
    added.push_back(row);
  grid.rows.Erase(added);
}

}  // namespace

bool ZK_GridClipboardTextIntl(HWND owner, std::string* text) {
  if (!OpenClipboard(owner)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      const int length = static_cast<int>(wcsnlen(wide, GlobalSize(data) / sizeof(wchar_t)));
      const int size =
          WideCharToMultiByte(kTextCodePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
      text->assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
      if (size > 0)
        WideCharToMultiByte(kTextCodePage, 0, wide, length, &(*text)[0], size, nullptr, nullptr);
      GlobalUnlock(data);
      found = true;
    }
  } else if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      text->assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
      found = true;
    }
  }
  CloseClipboard();
  return found;
}

int ZK_GridPasteIntl(ZK_Grid& grid, const std::string& text, const ZK_GridMessage& cause) {
  if (grid.editor != nullptr && !ZK_GridEditCommitIntl(grid, cause)) return ZK_ERR_PASTE_REFUSED;
  if (grid.forgotten) return ZK_ERR_PASTE_REFUSED;
  const Rows rows = parseRows(text);
  const int count = ZK_GridRowCountIntl(grid);
  Block block;
  block.row = grid.row >= 0 ? grid.row : count;
  for (int c = ZK_GridShownColumnIntl(grid, std::max(grid.column, 0), 1); c >= 0;
       c = ZK_GridShownColumnIntl(grid, c + 1, 1))
    block.columns.push_back(c);
  for (const auto& row : rows) block.width = std::max(block.width, static_cast<int>(row.size()));
  if (rows.empty() || block.columns.empty()) return ZK_ERR_PASTE_REFUSED;
  if (block.width > static_cast<int>(block.columns.size())) {
    const ZK_GridColumn& last = grid.columns[static_cast<std::size_t>(block.columns.back())];
    return refuse(grid, block.row, last, ZK_CatalogueMessageIntl(ZK_ERR_COLUMN_NOT_FOUND));
  }
  block.columns.resize(static_cast<std::size_t>(block.width));

  // Every cell checked before anything changes; a short row's missing cells are empty ones.
  const std::size_t cells = rows.size() * static_cast<std::size_t>(block.width);
  block.texts.reserve(cells);
  block.values.reserve(cells);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < block.width; ++c) {
      const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(block.columns[c])];
      const std::string& typed = static_cast<std::size_t>(c) < rows[r].size() ? rows[r][c] : "";
      const ZK_FieldCheck check = ZK_FieldCheckIntl(column.field, typed);
      if (check.refused)
        return refuse(grid, block.row + static_cast<int>(r), column, check.message);
      block.texts.push_back(check.rewrite ? check.shown : check.value.text);
      block.values.push_back(check.value);
    }

  GridRecord event;
  event.eventRow = block.row;
  event.eventColumn = grid.columns[static_cast<std::size_t>(block.columns.front())].name;
  event.blockRows = static_cast<int>(rows.size());
  event.blockColumns = block.width;
  event.addedRows = std::max(0, block.row + event.blockRows - count);
  event.cells = block.texts;
  event.replaced.reserve(cells);
  for (int r = 0; r < event.blockRows; ++r)
    for (int c = 0; c < block.width; ++c)
      event.replaced.emplace_back(
          block.row + r < count
              ? ZK_GridCellIntl(grid, block.row + r, static_cast<std::size_t>(block.columns[c]))
              : std::string_view());

  if (grid.cellProc == nullptr) {
    // Held rows: written, appended, then the event; a read-only column's cells stay as they are.
    for (int r = 0; r < event.addedRows; ++r)
      if (!grid.rows.Insert(grid.rows.Count(), std::vector<std::string_view>(grid.slots)))
        return ZK_ERR_GRID_FULL;
    for (int r = 0; r < event.blockRows; ++r)
      for (int c = 0; c < block.width; ++c) {
        const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(block.columns[c])];
        if (column.field.enabled)
          grid.rows.Set(static_cast<std::size_t>(block.row + r), column.slot,
                        block.texts[static_cast<std::size_t>(r * block.width + c)]);
      }
    grid.event = event;
    ZK_GridRowsChangedIntl(grid);
    const int veto = ZK_GridRaiseIntl(grid, ZK_CELLPASTE, cause);
    if (grid.forgotten) return veto == 0 ? ZK_OK : ZK_ERR_GRID_VETOED;
    grid.event.cells.clear();
    grid.event.replaced.clear();
    if (veto != 0) {
      putBack(grid, block, count, event);
      ZK_GridRowsChangedIntl(grid);
      return ZK_ERR_GRID_VETOED;
    }
  } else {
    // Virtual rows: the application is asked first, adds the rows past its last during the
    // event, then takes each cell as an edit.
    grid.event = event;
    const int veto = ZK_GridRaiseIntl(grid, ZK_CELLPASTE, cause);
    if (grid.forgotten) return veto == 0 ? ZK_OK : ZK_ERR_GRID_VETOED;
    grid.event.cells.clear();
    grid.event.replaced.clear();
    if (veto != 0) return ZK_ERR_GRID_VETOED;
    for (int r = 0; r < event.blockRows; ++r)
      for (int c = 0; c < block.width; ++c) {
        const int row = block.row + r;
        const int column = block.columns[c];
        const std::size_t i = static_cast<std::size_t>(r * block.width + c);
        if (row >= ZK_GridRowCountIntl(grid) ||
            !grid.columns[static_cast<std::size_t>(column)].field.enabled)
          continue;
        const std::string before(ZK_GridCellIntl(grid, row, static_cast<std::size_t>(column)));
        if (before == block.texts[i]) continue;
        ZK_GridCellChangeIntl(grid, row, column, block.texts[i], before, block.values[i], cause);
        if (grid.forgotten) return ZK_OK;
      }
  }
  // The current cell where the paste began. The pasted rows are not selected: the list tells
  // each row's selection apart, some 50 microseconds a row under Wine, longer than the paste.
  if (grid.list != nullptr) {
    ZK_GridMoveIntl(grid, block.row, block.columns.front(), nullptr);
    ZK_GridRowsRepaintIntl(grid);
  }
  return ZK_OK;
}

int ZK_FormGridPaste(const std::string& form, const std::string& grid, const std::string& text) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  return context.refuse(ZK_GridPasteIntl(*g, text, {WM_PASTE, 0, 0}));
}
