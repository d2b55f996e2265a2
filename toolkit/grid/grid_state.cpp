// The grid layer's state and its reset, which the foundation runs with every layer's, and the
// hooks through which the forms reach their DATAGRID items without naming the grid.
#include "grid/grid_intl.h"

namespace {
void resetGridLayer() {
  ZK_GridState& state = ZK_GridStateIntl();
  // Grids in use by a running visit outlive the reset, marked forgotten (grid_table.cpp).
  ZK_GridTableResetIntl(state);
  const int visits = state.visits;
  std::vector<std::unique_ptr<ZK_Grid>> forgotten = std::move(state.forgotten);
  state = ZK_GridState{};
  state.visits = visits;
  state.forgotten = std::move(forgotten);
}

void rescale(const std::string& form, const std::string& item, int from, int to) {
  if (const ZK_Grid* grid = ZK_GridFindIntl(form, item)) ZK_GridRescaleIntl(*grid, from, to);
}

void registerHooks() {
  ZK_FormHooks& hooks = ZK_FormsStateIntl().hooks;
  hooks.create = ZK_GridCreateIntl;
  hooks.notify = ZK_GridNotifyIntl;
  hooks.closing = ZK_GridFormClosingIntl;
  hooks.forget = ZK_GridForgetFormIntl;
  hooks.rescale = rescale;
  hooks.changed = ZK_GridItemChangedIntl;
}
}  // namespace

ZK_GridState& ZK_GridStateIntl() {
  static const bool hooked = (registerHooks(), true);
  (void)hooked;
  return ZK_LayerStateIntl<ZK_GridState>(resetGridLayer);
}
