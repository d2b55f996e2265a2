// The public grid functions beyond the columns: rows held by the toolkit (insert, delete, cells),
// rows held by the application (virtual), the current cell, sorting, and the grid's record. They
// return their status without reporting it and keep the caller's context, as run-time changes
// of items do.
#include <windows.h>

#include <commctrl.h>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

// Whether a row is within the grid's rows (or, with `end`, just after them); else the status.
bool rowIn(const ZK_Grid& grid, int row, bool end, int* status) {
  const int count = ZK_GridRowCountIntl(grid);
  if (row >= 0 && row <= count && (row < count || end)) return true;
  *status = ZK_ERR_ROW_RANGE;
  return false;
}

// A cell of a grid: its column found by name and its row within the rows; else the status.
ZK_GridColumnRef cellOf(const std::string& form, const std::string& item, int row,
                        const std::string& column) {
  ZK_GridColumnRef cell = ZK_GridColumnOfIntl(form, item, column);
  if (cell.grid != nullptr && !rowIn(*cell.grid, row, false, &cell.status)) cell.grid = nullptr;
  return cell;
}

// The grid of a DATAGRID item whose rows the toolkit holds; null with the status (18, 27, 31).
ZK_Grid* heldGrid(const std::string& form, const std::string& item, int* status) {
  ZK_Grid* grid = ZK_GridOfItemIntl(form, item, status);
  if (grid == nullptr || grid->cellProc == nullptr) return grid;
  *status = ZK_ERR_GRID_VIRTUAL;
  return nullptr;
}

}  // namespace

int ZK_FormGridRowInsert(const std::string& form, const std::string& grid, int row,
                         const std::vector<std::string>& cells) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = heldGrid(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  if (row == -1) row = ZK_GridRowCountIntl(*g);
  if (!rowIn(*g, row, true, &status)) return context.refuse(status);
  if (cells.size() > g->columns.size()) return context.refuse(ZK_ERR_COLUMN_NOT_FOUND);
  // Cells in column order go to their columns' slots.
  std::vector<std::string_view> bySlot(g->slots);
  for (std::size_t i = 0; i < cells.size(); ++i) bySlot[g->columns[i].slot] = cells[i];
  if (!g->rows.Insert(static_cast<std::size_t>(row), bySlot))
    return context.refuse(ZK_ERR_GRID_FULL);
  // The current and edited rows keep their rows.
  if (g->row >= row && g->list != nullptr) ++g->row;
  if (g->editor != nullptr && g->editRow >= row) ++g->editRow;
  ZK_GridRowsChangedIntl(*g);
  return context.done();
}

int ZK_FormGridRowDelete(const std::string& form, const std::string& grid, int row) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = heldGrid(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  if (!rowIn(*g, row, false, &status)) return context.refuse(status);
  if (g->editor != nullptr && g->editRow == row) ZK_GridEditCancelIntl(*g);
  if (g->editor != nullptr && g->editRow > row) --g->editRow;
  g->rows.Erase(static_cast<std::size_t>(row));
  if (g->row > row) --g->row;
  ZK_GridRowsChangedIntl(*g);
  return context.done();
}

int ZK_FormGridCellSet(const std::string& form, const std::string& grid, int row,
                       const std::string& column, const std::string& text) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  const ZK_GridColumnRef cell = cellOf(form, grid, row, column);
  if (cell.grid == nullptr) return context.refuse(cell.status);
  ZK_Grid& g = *cell.grid;
  if (g.cellProc != nullptr) return context.refuse(ZK_ERR_GRID_VIRTUAL);
  if (!g.rows.Set(static_cast<std::size_t>(row),
                  g.columns[static_cast<std::size_t>(cell.index)].slot, text))
    return context.refuse(ZK_ERR_GRID_FULL);
  if (g.list != nullptr) ListView_RedrawItems(g.list, row, row);
  return context.done();
}

std::string ZK_FormGridCellGet(const std::string& form, const std::string& grid, int row,
                               const std::string& column) {
  const ZK_GridVisit visit;
  ZK_Grid* g = ZK_GridFindIntl(form, grid);
  if (g == nullptr) return "";
  const int index = ZK_GridColumnIndexIntl(*g, column);
  if (index < 0) return "";
  return std::string(ZK_GridCellIntl(*g, row, static_cast<std::size_t>(index)));
}

int ZK_FormGridVirtual(const std::string& form, const std::string& grid, int rows,
                       ZK_GridCellProc proc) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  if (rows < 0) return context.refuse(ZK_ERR_ROW_RANGE);
  // Held rows give way to the application's, and come back empty.
  g->rows.Clear();
  g->cellProc = proc;
  g->virtualCount = proc != nullptr ? rows : 0;
  ZK_GridRowsChangedIntl(*g);
  return context.done();
}

int ZK_FormGridSelect(const std::string& form, const std::string& grid, int row,
                      const std::string& column, bool edit) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  const ZK_GridColumnRef cell = cellOf(form, grid, row, column);
  if (cell.grid == nullptr) return context.refuse(cell.status);
  ZK_Grid* g = cell.grid;
  const int index = cell.index;
  if (g->editor != nullptr && (g->editRow != row || g->editColumn != index))
    ZK_GridEditCancelIntl(*g);
  ZK_GridMoveIntl(*g, row, index, nullptr);
  if (edit) ZK_GridEditOpenIntl(*g, "");
  return context.done();
}

int ZK_FormGridSort(const std::string& form, const std::string& grid, const std::string& column,
                    bool descending) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  const ZK_GridColumnRef found = ZK_GridColumnOfIntl(form, grid, column);
  if (found.grid == nullptr) return context.refuse(found.status);
  ZK_GridSortIntl(*found.grid, found.index, descending);
  return context.done();
}

int ZK_FormGridColours(const std::string& form, const std::string& grid, ZK_GridColourProc proc) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  g->colourProc = proc;
  ZK_GridRowsRepaintIntl(*g);
  return context.done();
}

GridRecord ZK_FormGridGet(const std::string& form, const std::string& grid) {
  const ZK_Grid* g = ZK_GridFindIntl(form, grid);
  if (g == nullptr) return GridRecord{};
  GridRecord record = g->event;
  record.rows = ZK_GridRowCountIntl(*g);
  record.columns = static_cast<int>(g->columns.size());
  record.virtualRows = g->cellProc != nullptr;
  record.selected = g->list != nullptr ? static_cast<int>(ListView_GetSelectedCount(g->list)) : 0;
  record.row = g->row;
  if (g->column >= 0 && g->column < record.columns)
    record.column = g->columns[static_cast<std::size_t>(g->column)].name;
  record.editing = g->editor != nullptr;
  record.sortColumn = g->sortColumn;
  record.descending = g->descending;
  return record;
}
