// WM_COMMAND from a form's item controls: the status bar text when an item gets the focus,
// validation of typed fields when it is left, the OK and CANCEL buttons, check items, and the
// item events ITEMCLIC, ITEMCHG and ITEMEXIT.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

enum class Branch { kNone, kClick, kEnter, kExit };

Branch branchOf(WORD code) {
  switch (code) {
    case BN_CLICKED:
      return Branch::kClick;
    case CBN_SETFOCUS:
    case BN_SETFOCUS:  // also CBN_EDITUPDATE of an editable combo box
    case EN_SETFOCUS:
      return Branch::kEnter;
    case CBN_SELCHANGE:
    case CBN_KILLFOCUS:
    case EN_KILLFOCUS:
      return Branch::kExit;
    default:
      return Branch::kNone;
  }
}

bool isComboPick(const ZK_FormMessage& m, const ItemRecord& item) {
  return HIWORD(m.wParam) == CBN_SELCHANGE && item.kind == ZK_COMBOSYS;
}

HWND controlOf(const ZK_FormMessage& m) {
  return reinterpret_cast<HWND>(m.lParam);
}

int controlIdOf(const ZK_FormMessage& m) {
  return LOWORD(m.wParam);
}

// The control's whole text. At a selection change a combo box still shows its previous text, so
// the newly selected entry is read from its list instead.
std::string controlText(const ZK_FormMessage& m, const ItemRecord& item) {
  HWND control = controlOf(m);
  if (isComboPick(m, item)) {
    const LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) return ZK_ComboEntryIntl(control, static_cast<WPARAM>(selected));
  }
  return ZK_ControlTextIntl(GetDlgItem(m.dialog, controlIdOf(m)));
}

// Sends the focus back to a refused field, once: not from an exit that a refocus caused (two
// refused fields would send the focus to and fro), and not while the dialog is being hidden to
// close.
void refocus(const ZK_FormMessage& m) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  HWND control = controlOf(m);
  if (state.refocusing || !IsWindow(control) || !IsWindowVisible(m.dialog)) return;
  state.refocusing = true;
  SetFocus(control);
  state.refocusing = false;
}

void rememberEntry(const FieldValue& value) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  state.entryText = value.text;
  state.entryCheckState = value.checkState;
}

int onEnter(const ZK_FormMessage& m, const ItemRecord& item) {
  const WindowRecord form = ZK_WindowLookupIntl(m.form);
  if (form.statusBar) {
    const std::string& text = form.statusMessage.empty() ? item.remark : form.statusMessage;
    SendMessageA(form.statusBarHwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // A refusal's message is news to a user who cannot see the status bar.
    if (!form.statusMessage.empty()) ZK_ItemAccessAnnounceIntl(form.statusBarHwnd);
  }
  rememberEntry(item.field);
  return TRUE;
}

int onExit(const ZK_FormMessage& m, const ItemRecord& item) {
  // Left only because a refused field took the focus back: the message belongs to that field.
  const bool causedByRefocus = ZK_FormsStateIntl().refocusing;
  ZK_FieldCheck check;
  check.value = item.field;
  const bool typed = ZK_DataTypeIntl(item.type) != nullptr;
  if (typed) check = ZK_FieldCheckIntl(item, controlText(m, item));
  if (check.rewrite) SetDlgItemTextA(m.dialog, controlIdOf(m), check.shown.c_str());
  // The refocus runs the field's own enter branch before the new message is stored, so the
  // message reaches the status bar at the next focus-in.
  if (check.refused) refocus(m);

  // Each a change of one field: the writes and the refocus re-enter the dialog procedure, whose
  // colour requests replace the item's brushes meanwhile.
  if (!causedByRefocus) {
    ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.statusMessage = check.message; });
  }
  if (!item.kind.empty()) {
    ZK_ItemChangeIntl(m.form, m.item, [&](ItemRecord& r) { r.field = check.value; });
  }

  const ZK_FormsState& state = ZK_FormsStateIntl();
  const bool changedSinceEntry =
      check.value.text != state.entryText || check.value.checkState != state.entryCheckState;
  // A combo box's pick is an exit without leaving: the next pick in the same visit compares
  // with this one, so that picking the first entry back is a change too. Any other exit keeps
  // the entry values of the last focus-in (for a refused field, the refocus's own).
  if (isComboPick(m, item)) rememberEntry(check.value);
  if (changedSinceEntry) {
    const int changed = ZK_FormRaiseIntl(m, ZK_ITEMCHG);
    if (changed != 0) return changed;
  }
  const int exited = ZK_FormRaiseIntl(m, ZK_ITEMEXIT);
  return exited != 0 ? exited : TRUE;
}

int closeBy(const ZK_FormMessage& m, const std::string& role) {
  ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.closedBy = role; });
  SendMessageA(m.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return TRUE;
}

// The event of a click, when the form has an event procedure: its answer, or 1.
int raiseClick(const ZK_FormMessage& m, const char* event) {
  if (ZK_FormEventsIntl(m.form) == nullptr) return 0;
  const int answer = ZK_FormRaiseIntl(m, event);
  return answer != 0 ? answer : TRUE;
}

int onClick(const ZK_FormMessage& m, const ItemRecord& item) {
  const ZK_ItemKind* kind = ZK_ItemKindIntl(item.kind);
  if (kind == nullptr) return 0;
  switch (kind->click) {
    case ZK_Click::kEvent:
      // A form that asks for more (a default button, a check of its inputs) handles it first.
      if (ZK_FormButtonIntl(m, item)) return TRUE;
      // An OK or CANCEL button closes the form, as its close box would; no field is validated.
      if (item.buttonRole == "OK" || item.buttonRole == "CANCEL")
        return closeBy(m, item.buttonRole);
      return raiseClick(m, ZK_ITEMCLIC);
    case ZK_Click::kToggle:
      ZK_ItemChangeIntl(m.form, m.item,
                        [&](ItemRecord& r) { r.field.checkState = !item.field.checkState; });
      ZK_FormItemRedrawIntl(m.form, m.item);
      ZK_ItemAccessChangedIntl(m.form, m.item, ZK_CHECK);
      return raiseClick(m, ZK_ITEMCHG);
    case ZK_Click::kNothing:
      break;
  }
  return 0;
}

}  // namespace

int ZK_FormCommandIntl(const ZK_FormMessage& m) {
  // A command from no item (Enter and Escape come as IDOK and IDCANCEL without a control, and so
  // does the IDCANCEL of a plain WM_CLOSE) presses the form's DEFAULT or CANCEL button; without
  // them it finds no record below, and does nothing.
  if (ZK_FormKeyPressIntl(m)) return TRUE;
  const ItemRecord item = m.item.empty() ? ZK_ItemEmptyIntl() : ZK_FormItemGet(m.form, m.item);
  switch (branchOf(HIWORD(m.wParam))) {
    case Branch::kClick:
      return onClick(m, item);
    case Branch::kEnter:
      return onEnter(m, item);
    case Branch::kExit:
      return onExit(m, item);
    case Branch::kNone:
      return 0;
  }
  return 0;
}
