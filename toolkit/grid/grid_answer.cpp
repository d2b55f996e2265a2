// A grid's custom-draw answers given straight back to its list. A dialog procedure answers a
// notification by leaving the value in the dialog's DWLP_MSGRESULT, which the dialog manager reads
// back; some systems keep a window's extra bytes in another process, so that each answer costs a
// request there (and one more when the dialog manager clears the value again), and a list asks
// for every cell of every row it paints. A window procedure in front of the dialog's own hands
// the dialog procedure the grids' custom-draw notifications itself and returns their answers;
// everything else goes on to the dialog as it came.
#include <windows.h>

#include <commctrl.h>

#include <unordered_map>

#include "forms/forms_intl.h"
#include "grid/grid_intl.h"

namespace {

// By dialog, for as long as the dialog lives: the toolkit's reset does not end a dialog.
std::unordered_map<HWND, ZK_ProcFront>& fronts() {
  static std::unordered_map<HWND, ZK_ProcFront> table;
  return table;
}

// The notification being answered straight back now, and its answer once given.
struct Direct {
  const void* notification = nullptr;
  bool given = false;
  LRESULT value = 0;
};
Direct gDirect;

bool isGridsCustomDraw(LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  return header != nullptr && header->code == NM_CUSTOMDRAW &&
         ZK_GridByWindowIntl(header->hwndFrom) != nullptr;
}

LRESULT CALLBACK frontProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = fronts().find(dialog);
  if (found == fronts().end()) return DefDlgProcA(dialog, message, wParam, lParam);
  const ZK_ProcFront front = found->second;
  if (message == WM_NOTIFY && isGridsCustomDraw(lParam)) {
    // As the dialog manager would: the dialog procedure's answer, or 0 when it handles nothing.
    const LONG_PTR before = GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
    const Direct outer = gDirect;
    gDirect = {reinterpret_cast<const void*>(lParam), false, 0};
    const INT_PTR handled = ZK_FormProcIntl(dialog, message, wParam, lParam);
    const Direct answered = gDirect;
    gDirect = outer;
    if (answered.given) return answered.value;
    if (handled == 0) return 0;
    // An event procedure that took the message over answers through DWLP_MSGRESULT itself.
    const LONG_PTR after = GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
    return after != before ? after : 0;
  }
  if (message == WM_NCDESTROY) fronts().erase(dialog);
  return ZK_ProcFrontCallIntl(front, dialog, message, wParam, lParam);
}

}  // namespace

void ZK_GridFrontIntl(HWND dialog) {
  if (dialog == nullptr || fronts().count(dialog) != 0) return;
  const ZK_ProcFront front = ZK_ProcFrontOfIntl(dialog);
  if (front.original == nullptr) return;
  // In the table before the first message reaches the front.
  fronts()[dialog] = front;
  // Without it the answers go through DWLP_MSGRESULT, as before.
  if (!ZK_ProcFrontPutIntl(dialog, front, frontProc)) fronts().erase(dialog);
}

bool ZK_GridAnswerDirectIntl(const void* notification, LRESULT value) {
  if (gDirect.notification == nullptr || gDirect.notification != notification) return false;
  gDirect.given = true;
  gDirect.value = value;
  return true;
}
