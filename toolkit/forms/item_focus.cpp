// Where the focus goes when a typed item is left. Validation holds the focus within its own form
// only: a refused field whose focus went to another window (a message box, another form, another
// program) does not take it back, and its refusal waits for the user to come back to the form.
#include <windows.h>

#include <commctrl.h>

#include "forms/forms_intl.h"

namespace {
constexpr UINT_PTR kFocusWatchId = 0x5A46;  // "ZF"

// The destination comes with WM_KILLFOCUS only; the EN_KILLFOCUS or CBN_KILLFOCUS it causes,
// sent while it is handled, reads it from the state.
LRESULT CALLBACK focusProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR) {
  if (message == WM_KILLFOCUS) {
    ZK_FormsState& state = ZK_FormsStateIntl();
    const HWND outerFrom = state.focusFrom;
    const HWND outerTo = state.focusTo;
    state.focusFrom = control;
    state.focusTo = reinterpret_cast<HWND>(wParam);
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    // The focus may move on meanwhile (a refused field takes it back): the outer move again.
    ZK_FormsState& after = ZK_FormsStateIntl();
    after.focusFrom = outerFrom;
    after.focusTo = outerTo;
    return result;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, focusProc, id);
  return DefSubclassProc(control, message, wParam, lParam);
}

bool isComboBox(HWND control) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, "ComboBox") == 0;
}
}  // namespace

void ZK_ItemFocusWatchIntl(HWND control) {
  SetWindowSubclass(control, focusProc, kFocusWatchId, 0);
  // An editable combo box's text is an edit control of its own, which has the focus.
  if (!isComboBox(control)) return;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(control, &info) && info.hwndItem != nullptr && info.hwndItem != control)
    SetWindowSubclass(info.hwndItem, focusProc, kFocusWatchId, 0);
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
