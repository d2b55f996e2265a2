// WM_COMMAND from a form's item controls: the status bar text when an item gets the focus,
// validation of typed fields when it is left, the OK and CANCEL buttons, check items, and the
// item events ITEMCLIC, ITEMCHG and ITEMEXIT.
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {
constexpr int kTextBuffer = 1024;

// The item that last received the focus, for the ITEMCHG test when it is left.
std::string gEntryText;
bool gEntryCheckState = false;
// Set while a refused field takes the focus back. The exit that this refocus causes in the field
// being left must not refocus in turn, or two refused fields would send the focus to and fro; nor
// does it touch the form's message, which belongs to the refused field.
bool gRefocusing = false;

// One WM_COMMAND as the handler sees it.
struct Command {
  HWND dialog;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string form;
  std::string item;
  WindowRecord record;
  ItemRecord itemRecord;
};

int raise(const Command& c, const char* event) {
  if (c.record.callback == nullptr) return 0;
  return c.record.callback(c.form, c.item, event, c.dialog, c.message, c.wParam, c.lParam);
}

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

bool isComboPick(const Command& c) {
  return HIWORD(c.wParam) == CBN_SELCHANGE && c.itemRecord.kind == ZK_COMBOSYS;
}

HWND controlOf(const Command& c) {
  return reinterpret_cast<HWND>(c.lParam);
}

int controlIdOf(const Command& c) {
  return LOWORD(c.wParam);
}

void setControlText(const Command& c, const std::string& text) {
  SetDlgItemTextA(c.dialog, controlIdOf(c), text.c_str());
}

// The control's text, at most 1023 characters. At a selection change a combo box still shows
// its previous text, so the newly selected entry is read from its list instead.
std::string controlText(const Command& c) {
  char buffer[kTextBuffer] = {};
  HWND control = controlOf(c);
  if (isComboPick(c)) {
    const LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    const LRESULT length =
        selected == CB_ERR ? CB_ERR : SendMessageA(control, CB_GETLBTEXTLEN, selected, 0);
    if (length != CB_ERR && length < kTextBuffer) {
      SendMessageA(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(buffer));
      return buffer;
    }
  }
  GetDlgItemTextA(c.dialog, controlIdOf(c), buffer, kTextBuffer);
  return buffer;
}

// Sends the focus back to a refused field, once: not from an exit that a refocus caused, and not
// while the dialog is being hidden to close.
void refocus(const Command& c) {
  HWND control = controlOf(c);
  if (gRefocusing || !IsWindow(control) || !IsWindowVisible(c.dialog)) return;
  gRefocusing = true;
  SetFocus(control);
  gRefocusing = false;
}

// The item's value goes into a fresh copy of its record: the writes and the refocus repaint the
// control, and the colour requests that causes have replaced the record's brushes meanwhile.
void storeField(const Command& c) {
  if (c.itemRecord.kind.empty()) return;
  ItemRecord fresh = ZK_FormItemGet(c.form, c.item);
  if (fresh.kind.empty()) return;
  fresh.field = c.itemRecord.field;
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(c.form, c.item), fresh);
}

int onEnter(const Command& c) {
  if (c.record.statusBar) {
    const std::string& text = c.record.statusMessage.empty() ? c.itemRecord.remark
                                                             : c.record.statusMessage;
    SendMessageA(c.record.statusBarHwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  gEntryText = c.itemRecord.field.text;
  gEntryCheckState = c.itemRecord.field.checkState;
  return TRUE;
}

// The field's checks (field_check.cpp): whether the input is refused, the message it leaves, and
// the text the control shows back.
bool validate(Command& c, std::string& message) {
  const ItemRecord& item = c.itemRecord;
  const ZK_FieldCheck check =
      ZK_FieldCheckIntl({item.type, item.format, item.length, item.notNull}, item.field.text);
  FieldValue& field = c.itemRecord.field;
  field.text = check.text;
  if (check.rewrite) setControlText(c, check.shown);
  if (item.type == ZK_DATE) field.date = check.date;
  if (item.type == ZK_CURRENCY) field.currency = check.currency;
  message = check.message;
  return check.refused;
}

int onExit(Command& c) {
  // Left only because a refused field took the focus back: the message belongs to that field.
  const bool causedByRefocus = gRefocusing;
  std::string message;
  const std::string& type = c.itemRecord.type;
  const bool typed = type == ZK_STRING || type == ZK_DATE || type == ZK_CURRENCY;
  if (typed) c.itemRecord.field.text = controlText(c);
  const bool refused = typed && validate(c, message);
  // The refocus runs the field's own enter branch before the new message is stored, so the
  // message reaches the status bar at the next focus-in.
  if (refused) refocus(c);

  // Stored into fresh copies: the refocus may have re-entered the dialog procedure meanwhile.
  WindowRecord record = ZK_WindowLookupIntl(c.form);
  if (!record.title.empty() && !causedByRefocus) {
    record.statusMessage = message;
    ZK_WindowStoreIntl(c.form, record);
  }
  storeField(c);

  const bool changedSinceEntry = c.itemRecord.field.text != gEntryText ||
                                 c.itemRecord.field.checkState != gEntryCheckState;
  // A combo box's pick is an exit without leaving: the next pick in the same visit compares
  // with this one, so that picking the first entry back is a change too. Any other exit keeps
  // the entry values of the last focus-in (for a refused field, the refocus's own).
  if (isComboPick(c)) {
    gEntryText = c.itemRecord.field.text;
    gEntryCheckState = c.itemRecord.field.checkState;
  }
  if (c.record.callback == nullptr) return TRUE;
  if (changedSinceEntry) {
    const int changed = raise(c, ZK_ITEMCHG);
    if (changed != 0) return changed;
  }
  const int exited = raise(c, ZK_ITEMEXIT);
  return exited != 0 ? exited : TRUE;
}

int closeBy(const Command& c, const std::string& role) {
  WindowRecord record = ZK_WindowLookupIntl(c.form);
  if (!record.title.empty()) {
    record.closedBy = role;
    ZK_WindowStoreIntl(c.form, record);
  }
  SendMessageA(c.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return TRUE;
}

int onClick(Command& c) {
  const ItemRecord& item = c.itemRecord;
  const bool roleButton = item.kind == ZK_BUTTON &&
                          (item.buttonRole == "OK" || item.buttonRole == "CANCEL");
  if (roleButton) return closeBy(c, item.buttonRole);
  if (item.kind == ZK_CHECKSYS || item.kind == ZK_CHECK) {
    c.itemRecord.field.checkState = !c.itemRecord.field.checkState;
    storeField(c);
    ZK_FormItemRedrawIntl(c.form, c.item);
    if (c.record.callback == nullptr) return 0;
    const int changed = raise(c, ZK_ITEMCHG);
    return changed != 0 ? changed : TRUE;
  }
  if (item.kind == ZK_BUTTON) {
    if (c.record.callback == nullptr) return 0;
    const int clicked = raise(c, ZK_ITEMCLIC);
    return clicked != 0 ? clicked : TRUE;
  }
  return 0;
}

}  // namespace

int ZK_FormCommandIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                       const std::string& form, const std::string& item,
                       const WindowRecord& formRecord) {
  // A command from no item (Enter and Escape come as IDOK and IDCANCEL without a control, and so
  // does the IDCANCEL of a plain WM_CLOSE) finds no record below, and does nothing.
  Command c{dialog, message, wParam, lParam, form, item, formRecord, {}};
  c.itemRecord = c.item.empty() ? ZK_ItemEmptyIntl() : ZK_FormItemGet(form, c.item);
  switch (branchOf(HIWORD(wParam))) {
    case Branch::kClick:
      return onClick(c);
    case Branch::kEnter:
      return onEnter(c);
    case Branch::kExit:
      return onExit(c);
    case Branch::kNone:
      return 0;
  }
  return 0;
}
