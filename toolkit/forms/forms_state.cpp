// The form layer's state and its reset, which the foundation runs with every layer's.
#include "forms/forms_intl.h"

namespace {
void resetFormsLayer() {
  ZK_FormsState& state = ZK_FormsStateIntl();
  // The order version goes on counting: a walk in progress must see the change.
  const std::uint64_t version = state.orderVersion + 1;
  // The grid registered its hooks once for the process.
  const ZK_FormHooks hooks = state.hooks;
  // Live controls keep their hooks, which hand their messages on through these.
  std::unordered_map<HWND, ZK_ItemControl> controls = std::move(state.controls);
  // Live dialogs keep their form's name until they are destroyed, as their controls do.
  std::unordered_map<HWND, std::string> dialogs = std::move(state.dialogs);
  const std::uint64_t places = state.placesVersion + 1;
  state = ZK_FormsState{};
  state.controls = std::move(controls);
  state.dialogs = std::move(dialogs);
  state.placesVersion = places;
  state.orderVersion = version;
  state.hooks = hooks;
}
}  // namespace

ZK_FormsState& ZK_FormsStateIntl() {
  return ZK_LayerStateIntl<ZK_FormsState>(resetFormsLayer);
}
