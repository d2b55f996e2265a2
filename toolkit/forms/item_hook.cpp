// The toolkit's procedure in front of every item control's own: accessibility clients' requests,
// another program asking the item's name, and the moves that change which parts of its siblings a
// drawn item leaves alone. Everything else goes on to the control as it came, for the price of one
// look-up by handle.
#include "forms/forms_intl.h"

namespace {

// A move or resize, or a control shown or hidden; not a change of z-order or frame alone.
bool changesPlaces(LPARAM lParam) {
  const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (place == nullptr) return true;
  const UINT unmoved = SWP_NOMOVE | SWP_NOSIZE;
  return (place->flags & unmoved) != unmoved ||
         (place->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
}

// A plain window procedure, not the common controls' subclass: that one finds its data through a
// window property, which some systems fetch from another process at every message.
LRESULT CALLBACK hookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.controls.find(control);
  if (found == state.controls.end()) return DefWindowProcA(control, message, wParam, lParam);
  const ZK_ProcFront front = found->second.front;
  switch (message) {
    case WM_GETOBJECT: {
      LRESULT answer = 0;
      if (ZK_ItemAccessAnswerIntl(control, wParam, lParam, &answer)) return answer;
      break;
    }
    case WM_WINDOWPOSCHANGED:
      if (changesPlaces(lParam)) ++state.placesVersion;
      break;
    case WM_KILLFOCUS: {
      // Where the focus goes is told here only; the exit of a typed item, sent from within,
      // reads it (item_focus.cpp).
      const ZK_FocusMove outer = ZK_FocusLeavingIntl(control, reinterpret_cast<HWND>(wParam));
      const LRESULT result = ZK_ProcFrontCallIntl(front, control, message, wParam, lParam);
      ZK_FocusLeftIntl(outer);
      return result;
    }
    case WM_NCDESTROY:
      ++state.placesVersion;
      state.controls.erase(found);
      break;
    default:
      // A registered message has no constant to be a case of its own.
      if (ZK_NameQueryIntl(message)) return ZK_NameOfControlIntl(control);
      break;
  }
  return ZK_ProcFrontCallIntl(front, control, message, wParam, lParam);
}

}  // namespace

void ZK_ItemHookIntl(HWND control) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  // Hooked once: a second hook would hand the control's messages on to itself.
  if (state.controls.count(control) != 0) return;
  ZK_ItemControl entry;
  entry.front = ZK_ProcFrontOfIntl(control);
  if (entry.front.original == nullptr) return;
  // In the table before the first message reaches the hook.
  state.controls[control] = entry;
  ++state.placesVersion;
  // Without it the control keeps the platform's own answers: nothing else depends on it.
  if (!ZK_ProcFrontPutIntl(control, entry.front, hookProc)) state.controls.erase(control);
}

ZK_ItemControl* ZK_ItemControlIntl(HWND control) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.controls.find(control);
  return found == state.controls.end() ? nullptr : &found->second;
}
