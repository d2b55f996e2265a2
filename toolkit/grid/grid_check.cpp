// A CHECK column's cells: a box drawn over each cell after its row, ticked when the cell holds
// its column's "on" text, toggled by Space and by a click on the box through CELLCHG.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

// The box's side in 96-DPI units, as the system's own check boxes.
constexpr int kBoxSide = 13;

const ZK_GridColumn* checkColumn(const ZK_Grid& grid, int column) {
  if (column < 0 || column >= static_cast<int>(grid.columns.size())) return nullptr;
  const ZK_GridColumn& c = grid.columns[static_cast<std::size_t>(column)];
  return c.field.type == ZK_CHECK && c.field.visible ? &c : nullptr;
}

bool ticked(const ZK_GridColumn& column, std::string_view text) {
  return ZK_FieldCheckIntl(column.field, std::string(text)).value.checkState;
}

}  // namespace

bool ZK_GridCheckBoxRectIntl(const ZK_Grid& grid, int row, int column, RECT* box) {
  const ZK_GridColumn* c = checkColumn(grid, column);
  RECT cell = {};
  if (c == nullptr || !ZK_GridCellRectIntl(grid, row, column, &cell)) return false;
  const int side = std::min(ZK_ScaleIntl(kBoxSide, ZK_WindowLookupIntl(grid.form).dpi),
                            static_cast<int>(cell.bottom - cell.top) - 2);
  if (side <= 0 || cell.right - cell.left < side) return false;
  int left = cell.left + (cell.right - cell.left - side) / 2;
  if (c->field.textHPos < 0) left = cell.left + 3;
  if (c->field.textHPos > 0) left = cell.right - side - 3;
  const int top = cell.top + (cell.bottom - cell.top - side) / 2;
  *box = {left, top, left + side, top + side};
  return true;
}

void ZK_GridCheckBoxesDrawIntl(ZK_Grid& grid, HDC dc, int row) {
  const bool enabled = grid.list != nullptr && IsWindowEnabled(grid.list);
  for (std::size_t column = 0; column < grid.columns.size(); ++column) {
    RECT box = {};
    if (!ZK_GridCheckBoxRectIntl(grid, row, static_cast<int>(column), &box)) continue;
    const ZK_GridColumn& c = grid.columns[column];
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (ticked(c, ZK_GridCellIntl(grid, row, column))) state |= DFCS_CHECKED;
    if (!enabled || !c.field.enabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    if (grid.forgotten) return;
  }
}

bool ZK_GridCheckToggleIntl(ZK_Grid& grid, int row, int column, const ZK_GridMessage& cause) {
  const ZK_GridColumn* c = checkColumn(grid, column);
  if (c == nullptr || !c->field.enabled || row < 0 || row >= ZK_GridRowCountIntl(grid) ||
      grid.list == nullptr || !IsWindowEnabled(grid.list))
    return false;
  if (grid.editor != nullptr && !ZK_GridEditCommitIntl(grid, cause)) return false;
  if (grid.forgotten) return false;
  const ItemRecord field = c->field;
  const std::string previous(ZK_GridCellIntl(grid, row, static_cast<std::size_t>(column)));
  const ZK_CheckTexts texts = ZK_CheckTextsIntl(field.format);
  const ZK_FieldCheck toggled =
      ZK_FieldCheckIntl(field, ticked(*c, previous) ? texts.off : texts.on);
  return ZK_GridCellChangeIntl(grid, row, column, toggled.shown, previous, toggled.value, cause);
}
