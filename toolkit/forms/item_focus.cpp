// Where the focus goes when a typed item is left. Validation holds the focus within its own form
// only: a refused field whose focus went to another window (a message box, another form, another
// program) does not take it back, and its refusal waits for the user to come back to the form.
#include <windows.h>

#include <commctrl.h>

#include "forms/forms_intl.h"

namespace {
constexpr UINT_PTR kFocusWatchId = 0x5A46;  // "ZF"

// An editable combo box's text: the one control the focus reaches that is not an item's own.
LRESULT CALLBACK textProc(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR) {
  if (message == WM_KILLFOCUS) {
    const ZK_FocusMove outer = ZK_FocusLeavingIntl(text, reinterpret_cast<HWND>(wParam));
    const LRESULT result = DefSubclassProc(text, message, wParam, lParam);
    ZK_FocusLeftIntl(outer);
    return result;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(text, textProc, id);
  return DefSubclassProc(text, message, wParam, lParam);
}

bool isComboBox(HWND control) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, "ComboBox") == 0;
}
}  // namespace

// The destination comes with WM_KILLFOCUS only; the EN_KILLFOCUS or CBN_KILLFOCUS it causes,
// sent while it is handled, reads it from the state.
ZK_FocusMove ZK_FocusLeavingIntl(HWND control, HWND to) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const ZK_FocusMove outer{state.focusFrom, state.focusTo};
  state.focusFrom = control;
  state.focusTo = to;
  return outer;
}

// The focus may have moved on meanwhile (a refused field took it back): the outer move again.
void ZK_FocusLeftIntl(const ZK_FocusMove& outer) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  state.focusFrom = outer.from;
  state.focusTo = outer.to;
}

void ZK_ItemFocusWatchIntl(HWND control) {
  if (!isComboBox(control)) return;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(control, &info) && info.hwndItem != nullptr && info.hwndItem != control)
    SetWindowSubclass(info.hwndItem, textProc, kFocusWatchId, 0);
}

bool ZK_FocusLeavesFormIntl(HWND dialog, HWND control) {
  const ZK_FormsState& state = ZK_FormsStateIntl();
  if (state.focusFrom == nullptr) return false;
  if (state.focusFrom != control && GetParent(state.focusFrom) != control) return false;
  HWND to = state.focusTo;
  return to == nullptr || (to != dialog && !IsChild(dialog, to));
}

void ZK_RefusalAwayIntl(HWND dialog, HWND control) {
  ZK_FormsStateIntl().refusalsAway[dialog] = control;
}

HWND ZK_RefusalTakeIntl(HWND dialog) {
  std::map<HWND, HWND>& away = ZK_FormsStateIntl().refusalsAway;
  const auto found = away.find(dialog);
  if (found == away.end()) return nullptr;
  HWND control = found->second;
  away.erase(found);
  return control;
}
