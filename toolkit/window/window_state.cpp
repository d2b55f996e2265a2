// The window layer's state and its reset.
#include "window/window_intl.h"

namespace {
void resetWindowLayer() {
  ZK_WindowState& state = ZK_WindowStateIntl();
  ZK_WindowState fresh;
  // Kept: the counted GDI objects, which outlive the tables that named them.
  fresh.gdi = state.gdi;
  state = fresh;
}
}  // namespace

ZK_WindowState& ZK_WindowStateIntl() {
  return ZK_LayerStateIntl<ZK_WindowState>(resetWindowLayer);
}

const std::string& ZK_WindowCurrentIntl() {
  return ZK_FoundationStateIntl().currentWindowName;
}

void ZK_WindowCurrentSetIntl(const std::string& name) {
  ZK_FoundationStateIntl().currentWindowName = name;
}
