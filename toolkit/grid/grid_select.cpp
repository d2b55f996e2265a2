// The selection the application reads and sets, and rows added and deleted from the keyboard
// (Insert, Tab past the last cell, Delete) through their events, which the application may veto:
// held rows change themselves, a virtual grid's application changes its rows during the event.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

bool usable(const ZK_Grid& grid) {
  return !grid.forgotten && grid.list != nullptr;
}

void fillEvent(ZK_Grid& grid, int row, int rows) {
  grid.event = GridRecord{};
  grid.event.eventRow = row;
  grid.event.blockRows = rows;
  if (grid.column >= 0 && grid.column < static_cast<int>(grid.columns.size()))
    grid.event.eventColumn = grid.columns[static_cast<std::size_t>(grid.column)].name;
}

int firstShown(const ZK_Grid& grid) {
  return std::max(0, ZK_GridShownColumnIntl(grid, 0, 1));
}

}  // namespace

std::vector<int> ZK_GridSelectedIntl(const ZK_Grid& grid) {
  std::vector<int> rows;
  if (grid.list == nullptr) return rows;
  rows.reserve(ListView_GetSelectedCount(grid.list));
  for (int row = ListView_GetNextItem(grid.list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(grid.list, row, LVNI_SELECTED))
    rows.push_back(row);
  return rows;
}

void ZK_GridSelectRangeIntl(ZK_Grid& grid, int first, int last, bool add) {
  HWND list = grid.list;
  if (list == nullptr) return;
  const int count = ZK_GridRowCountIntl(grid);
  if (first > last) std::swap(first, last);
  grid.selecting = true;  // the list's notifications of this change are the grid's own
  if (!add && ListView_GetSelectedCount(list) > 0)
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  if (first == 0 && last == count - 1) {
    // Every row at once: one range, not a million changes.
    ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
  } else {
    for (int row = std::max(first, 0); row <= last && row < count; ++row)
      ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  }
  grid.selecting = false;
}

bool ZK_GridRowAddIntl(ZK_Grid& grid, int row, const ZK_GridMessage& cause) {
  if (grid.list == nullptr || !IsWindowEnabled(grid.list)) return false;
  if (grid.editor != nullptr && !ZK_GridEditCommitIntl(grid, cause)) return false;
  if (!usable(grid)) return false;
  row = std::clamp(row, 0, ZK_GridRowCountIntl(grid));
  fillEvent(grid, row, 1);
  // A held row is there, empty, during the event: the application may fill it; a veto takes it
  // away again.
  const bool held = grid.cellProc == nullptr;
  if (held) {
    if (!grid.rows.Insert(static_cast<std::size_t>(row), std::vector<std::string_view>(grid.slots)))
      return false;
    if (grid.row >= row) ++grid.row;
    ZK_GridRowsChangedIntl(grid);
  }
  const int veto = ZK_GridRaiseIntl(grid, ZK_ROWINS, cause);
  if (!usable(grid)) return false;
  if (veto != 0) {
    if (held && row < static_cast<int>(grid.rows.Count())) {
      grid.rows.Erase(static_cast<std::size_t>(row));
      if (grid.row > row) --grid.row;
      ZK_GridRowsChangedIntl(grid);
    }
    return false;
  }
  // A virtual grid's application added its row during the event, or did not.
  if (row >= ZK_GridRowCountIntl(grid)) return false;
  ZK_GridMoveIntl(grid, row, firstShown(grid), &cause);
  return true;
}

void ZK_GridRowsDeleteIntl(ZK_Grid& grid, const ZK_GridMessage& cause) {
  if (grid.list == nullptr || !IsWindowEnabled(grid.list)) return;
  std::vector<int> rows = ZK_GridSelectedIntl(grid);
  if (rows.empty() && grid.row >= 0) {
    ZK_GridSelectOnlyIntl(grid, grid.row);
    rows.push_back(grid.row);
  }
  if (rows.empty()) return;
  if (grid.editor != nullptr) ZK_GridEditCancelIntl(grid);
  fillEvent(grid, rows.front(), static_cast<int>(rows.size()));
  grid.event.rowList = rows;
  const bool held = grid.cellProc == nullptr;
  if (held) {
    // Held rows go first, their texts in the event (to undo, say); a veto puts them back.
    grid.event.blockColumns = static_cast<int>(grid.columns.size());
    grid.event.cells.reserve(rows.size() * grid.columns.size());
    for (int row : rows)
      for (const ZK_GridColumn& column : grid.columns)
        grid.event.cells.emplace_back(grid.rows.Cell(static_cast<std::size_t>(row), column.slot));
    grid.rows.Erase(rows);
    ZK_GridRowsChangedIntl(grid);
  }
  const GridRecord event = grid.event;
  const int veto = ZK_GridRaiseIntl(grid, ZK_ROWDEL, cause);
  if (!usable(grid)) return;
  grid.event.cells.clear();
  if (held && veto != 0) {
    std::vector<std::string_view> cells(grid.slots);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (std::size_t c = 0; c < grid.columns.size(); ++c)
        cells[grid.columns[c].slot] = event.cells[i * grid.columns.size() + c];
      grid.rows.Insert(static_cast<std::size_t>(rows[i]), cells);
    }
    ZK_GridRowsChangedIntl(grid);
    ZK_GridSelectRangeIntl(grid, rows.front(), rows.front(), false);
    for (int row : rows) ZK_GridSelectRangeIntl(grid, row, row, true);
    return;
  }
  if (veto != 0) return;
  // The row after the first deleted one becomes current, or the last.
  const int count = ZK_GridRowCountIntl(grid);
  grid.row = -1;
  ZK_GridMoveIntl(grid, std::min(rows.front(), count - 1), grid.column, nullptr);
}

int ZK_FormGridSelection(const std::string& form, const std::string& grid, std::vector<int>& rows) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  const ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  rows = ZK_GridSelectedIntl(*g);
  return context.done();
}

int ZK_FormGridSelectRows(const std::string& form, const std::string& grid, int first, int last,
                          bool add) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.refuse(status);
  const int count = ZK_GridRowCountIntl(*g);
  const bool clear = first == -1;
  if (!clear && (first < 0 || first >= count || last < 0 || last >= count))
    return context.refuse(ZK_ERR_ROW_RANGE);
  if (clear) {
    if (!add) ZK_GridSelectRangeIntl(*g, -1, -2, false);
  } else {
    ZK_GridSelectRangeIntl(*g, first, last, add);
  }
  return context.done();
}
