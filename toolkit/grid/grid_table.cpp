// The grid table: every DATAGRID item's grid by key "form.item", found also from its list view
// and its editor; the texts of cells, held or asked of the application; raising grid events.
#include <windows.h>

#include <unordered_map>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"
#include "window/gdi_objects.h"

namespace {
void unindex(ZK_GridState& state, const ZK_Grid& grid) {
  if (grid.list != nullptr) state.gridsByWindow.erase(grid.list);
  if (grid.editor != nullptr) state.gridsByWindow.erase(grid.editor);
  if (grid.editorEdit != nullptr) state.gridsByWindow.erase(grid.editorEdit);
}

// Marks a grid forgotten; during a visit it is kept aside until the last visit ends.
void forget(ZK_GridState& state, std::unique_ptr<ZK_Grid>& grid) {
  grid->forgotten = true;
  if (state.visits > 0) state.forgotten.push_back(std::move(grid));
}
}  // namespace

ZK_Grid* ZK_GridFindIntl(const std::string& form, const std::string& item) {
  const auto& grids = ZK_GridStateIntl().grids;
  const auto found = grids.find(ZK_ItemKeyIntl(form, item));
  return found == grids.end() ? nullptr : found->second.get();
}

ZK_Grid* ZK_GridByWindowIntl(HWND window) {
  const auto& byWindow = ZK_GridStateIntl().gridsByWindow;
  const auto found = byWindow.find(window);
  return found == byWindow.end() ? nullptr : found->second;
}

ZK_Grid* ZK_GridOfItemIntl(const std::string& form, const std::string& item, int* status) {
  const std::string kind = ZK_FormItemGet(form, item).kind;
  *status =
      kind.empty() ? ZK_ERR_ITEM_NOT_FOUND : (kind != ZK_DATAGRID ? ZK_ERR_NOT_A_GRID : ZK_OK);
  if (*status != ZK_OK) return nullptr;
  std::unique_ptr<ZK_Grid>& grid = ZK_GridStateIntl().grids[ZK_ItemKeyIntl(form, item)];
  if (grid == nullptr) {
    grid = std::make_unique<ZK_Grid>();
    grid->form = form;
    grid->item = item;
  }
  return grid.get();
}

void ZK_GridWindowIntl(HWND window, ZK_Grid* grid) {
  if (window == nullptr) return;
  auto& byWindow = ZK_GridStateIntl().gridsByWindow;
  if (grid == nullptr) {
    byWindow.erase(window);
  } else {
    byWindow[window] = grid;
  }
}

std::vector<ZK_Grid*> ZK_GridsOfFormIntl(const std::string& form) {
  const std::string prefix = form + ".";
  auto& table = ZK_GridStateIntl().grids;
  std::vector<ZK_Grid*> grids;
  for (auto it = table.lower_bound(prefix);
       it != table.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
    grids.push_back(it->second.get());
  return grids;
}

void ZK_GridForgetFormIntl(const std::string& form) {
  const std::string prefix = form + ".";
  ZK_GridState& state = ZK_GridStateIntl();
  auto& table = state.grids;
  for (auto it = table.lower_bound(prefix);
       it != table.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
    // A list view still alive (a form forgotten while open) keeps its font: its subclass finds
    // no grid any more and releases nothing, so the font is given back to it here.
    ZK_Grid& grid = *it->second;
    if (grid.list != nullptr && IsWindow(grid.list)) {
      SendMessageA(grid.list, WM_SETFONT, 0, FALSE);
      if (grid.editor != nullptr) DestroyWindow(grid.editor);
    }
    if (grid.font != nullptr) ZK_GdiDeleteIntl(grid.font);
    grid.font = nullptr;
    unindex(state, grid);
    forget(state, it->second);
    it = table.erase(it);
  }
}

void ZK_GridTableResetIntl(ZK_GridState& state) {
  // A visit running through the reset keeps its grids, marked, until it ends.
  for (auto& entry : state.grids) forget(state, entry.second);
  state.grids.clear();
  state.gridsByWindow.clear();
}

ZK_GridVisit::ZK_GridVisit() {
  ++ZK_GridStateIntl().visits;
}

ZK_GridVisit::~ZK_GridVisit() {
  ZK_GridState& state = ZK_GridStateIntl();
  if (--state.visits == 0) state.forgotten.clear();
}

ZK_GridColumnRef ZK_GridColumnOfIntl(const std::string& form, const std::string& item,
                                     const std::string& column) {
  ZK_GridColumnRef found;
  found.grid = ZK_GridOfItemIntl(form, item, &found.status);
  if (found.grid == nullptr) return found;
  found.index = ZK_GridColumnIndexIntl(*found.grid, column);
  if (found.index >= 0) return found;
  found.grid = nullptr;
  found.status = ZK_ERR_COLUMN_NOT_FOUND;
  return found;
}

int ZK_GridRowCountIntl(const ZK_Grid& grid) {
  return grid.cellProc != nullptr ? grid.virtualCount : static_cast<int>(grid.rows.Count());
}

std::string_view ZK_GridCellIntl(ZK_Grid& grid, int row, std::size_t column) {
  if (row < 0 || row >= ZK_GridRowCountIntl(grid) || column >= grid.columns.size()) return {};
  if (grid.cellProc == nullptr)
    return grid.rows.Cell(static_cast<std::size_t>(row), grid.columns[column].slot);
  grid.text.clear();
  grid.name = grid.columns[column].name;
  const ZK_GridVisit visit;
  if (grid.cellProc(grid.form, grid.item, row, grid.name, grid.text) != 0) grid.text.clear();
  return grid.text;
}

int ZK_GridColumnIndexIntl(const ZK_Grid& grid, const std::string& column) {
  for (std::size_t i = 0; i < grid.columns.size(); ++i)
    if (grid.columns[i].name == column) return static_cast<int>(i);
  return -1;
}

int ZK_GridRaiseIntl(const ZK_Grid& grid, const char* event, const ZK_GridMessage& cause) {
  ZK_FormMessage m;
  m.form = grid.form;
  m.item = grid.item;
  // The dialog's handle alone: a copy of the whole record would cost more than the event.
  const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
  const auto found = registry.find(grid.form);
  m.dialog = found != registry.end() ? found->second.hwnd : nullptr;
  m.message = cause.message;
  m.wParam = cause.wParam;
  m.lParam = cause.lParam;
  const ZK_GridVisit visit;
  return ZK_FormRaiseIntl(m, event);
}
