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
void refocus(HWND dialog, HWND control) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  if (state.refocusing || !IsWindow(control) || !IsWindowVisible(dialog)) return;
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
  rememberEntry(item.field);
  // Back in the form after a refusal the focus left it with: the refused field takes the focus
  // again, and its own focus-in tells why. Not from a focus the toolkit or the application puts
  // on an item (ZK_FormItemFocus, the check on OK): that one stays where it is put.
  HWND refused = ZK_RefusalTakeIntl(m.dialog);
  if (refused != nullptr && refused != controlOf(m) && !ZK_FormsStateIntl().refocusing &&
      IsWindowVisible(refused) && IsWindowEnabled(refused)) {
    refocus(m.dialog, refused);
    return TRUE;
  }
  // Read in place: a focus-in comes with every move of the focus.
  const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
  const auto found = registry.find(m.form);
  if (found == registry.end() || !found->second.statusBar) return TRUE;
  HWND statusBar = found->second.statusBarHwnd;
  const bool refusal = !found->second.statusMessage.empty();
  // A copy: the status bar's answer to its text may run the application's code.
  const std::string text = refusal ? found->second.statusMessage : item.remark;
  SendMessageA(statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  // A refusal's message is news to a user who cannot see the status bar.
  if (refusal) ZK_ItemAccessAnnounceIntl(statusBar);
  return TRUE;
}

int onExit(const ZK_FormMessage& m, const ItemRecord& item) {
  // Left only because a refused field took the focus back: the message belongs to that field.
  const bool causedByRefocus = ZK_FormsStateIntl().refocusing;
  // Left for another window: validation does not take the focus from it.
  const bool away = ZK_FocusLeavesFormIntl(m.dialog, controlOf(m));
  ZK_FieldCheck check;
  check.value = item.field;
  const bool typed = ZK_DataTypeIntl(item.type) != nullptr;
  if (typed) check = ZK_FieldCheckIntl(item, controlText(m, item));
  if (check.rewrite) SetDlgItemTextA(m.dialog, controlIdOf(m), check.shown.c_str());

  // Stored first: the refocus's focus-in shows it, so that a refusal says why at once.
  if (!causedByRefocus) {
    ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.statusMessage = check.message; });
  }
  if (check.refused && away) {
    ZK_RefusalAwayIntl(m.dialog, controlOf(m));
  } else if (check.refused) {
    refocus(m.dialog, controlOf(m));
  }

  // The item's value is stored after the refocus, whose focus-in remembers the value stored
  // before as the entry values. The writes and the refocus re-enter the dialog procedure, whose
  // colour requests replace the item's brushes meanwhile: a change of one field.
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
  const Branch branch = branchOf(HIWORD(m.wParam));
  if (branch == Branch::kNone) return 0;
  const ItemRecord* found =
      m.item.empty() ? nullptr : ZK_ItemFindIntl(m.form, m.item, controlOf(m));
  // A focus-in reads its record in place before any native call; clicks and exits run the
  // application's events and re-enter this procedure, and so work on a copy.
  if (branch == Branch::kEnter) {
    static const ItemRecord empty = ZK_ItemEmptyIntl();
    return onEnter(m, found != nullptr ? *found : empty);
  }
  const ItemRecord item = found != nullptr ? *found : ZK_ItemEmptyIntl();
  return branch == Branch::kClick ? onClick(m, item) : onExit(m, item);
}
