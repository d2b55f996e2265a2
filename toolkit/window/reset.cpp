// Returns the toolkit to its start state and initialises the common controls.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/window_intl.h"

// After windows.h, which window_intl.h brings.
#include <commctrl.h>

int ZK_ResetZarvikIntl() {
  const ZK_ContextGuard context("", "ZK_ResetZarvikIntl");

  // Native windows, brushes and menus the records named are left alone: they may still be live.
  ZK_WindowRegistryClearIntl();
  ZK_MenuTableClearIntl();
  ZK_ItemTableClearIntl();
  ZK_GridTableClearIntl();
  ZK_globals.currentWindowName.clear();
  ZK_globals.mainWindowName.clear();
  ZK_globals.activeFormName.clear();
  ZK_globals.ready = false;

  ZK_globals.instance = GetModuleHandleA(nullptr);
  if (ZK_globals.instance == nullptr) return context.fail(ZK_ERR_MODULE_OR_UPDATE);
  if (GetSystemMetrics(SM_CYHSCROLL) == 0) return context.fail(ZK_ERR_SYSTEM_METRICS);
  if (GetSystemMetrics(SM_CYVSCROLL) == 0) return context.fail(ZK_ERR_SYSTEM_METRICS);

  // The forms' status bar needs the bar classes registered before any dialog is built.
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                   ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                   ICC_ANIMATE_CLASS;
  if (!InitCommonControlsEx(&controls)) return context.fail(ZK_ERR_INIT_COMMON_CONTROLS);

  ZK_globals.ready = true;
  return context.done();
}
