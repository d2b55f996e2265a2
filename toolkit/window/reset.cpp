// Returns the toolkit to its start state and initialises the common controls.
#include "window/window_intl.h"

// After windows.h, which window_intl.h brings.
#include <commctrl.h>

int ZK_ResetZarvikIntl() {
  const ZK_ContextGuard context("", "ZK_ResetZarvikIntl");
  // Every layer's tables and names. Native windows, brushes and menus the records named are left
  // alone: they may still be live.
  ZK_StateResetIntl();

  ZK_WindowState& state = ZK_WindowStateIntl();
  state.instance = GetModuleHandleA(nullptr);
  if (state.instance == nullptr) return context.fail(ZK_ERR_MODULE_OR_UPDATE);
  if (GetSystemMetrics(SM_CYHSCROLL) == 0) return context.fail(ZK_ERR_SYSTEM_METRICS);
  if (GetSystemMetrics(SM_CYVSCROLL) == 0) return context.fail(ZK_ERR_SYSTEM_METRICS);

  // The forms' status bar needs the bar classes registered before any dialog is built.
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                   ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS;
  if (!InitCommonControlsEx(&controls)) return context.fail(ZK_ERR_INIT_COMMON_CONTROLS);

  state.ready = true;
  return context.done();
}
