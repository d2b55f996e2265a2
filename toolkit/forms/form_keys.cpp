// Keyboard-first forms: Enter and Escape pressing the form's default and cancel buttons, the close
// box closing as the cancel button does, every input checked before OK, the focus put on an item
// by the application, and how a form was closed.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

constexpr char kOk[] = "OK";
constexpr char kCancel[] = "CANCEL";

bool usable(HWND control) {
  return control != nullptr && IsWindow(control) && IsWindowEnabled(control) &&
         IsWindowVisible(control);
}

// A press is the click the button's own key would make; a disabled or hidden button takes none.
void press(const ZK_FormMessage& m, const std::string& item) {
  const ItemRecord button = ZK_FormItemGet(m.form, item);
  if (!usable(button.hwnd)) return;
  SendMessageA(m.dialog, WM_COMMAND, MAKEWPARAM(button.controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.hwnd));
}

// The focus put on a control by the toolkit or the application, as Tab would: the field it leaves,
// refused or not, does not take it back.
void focusOn(HWND dialog, HWND control) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const bool refocusing = state.refocusing;
  state.refocusing = true;
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  ZK_FormsStateIntl().refocusing = refocusing;
}

// The focus on the first refused field, its message (or, with none, its remark) in the status bar
// at once.
void refuse(const std::string& form, HWND dialog, const ItemRecord& field,
            const std::string& message) {
  focusOn(dialog, field.hwnd);
  if (ZK_FormStatusShowIntl(form, message.empty() ? field.remark : message) && !message.empty())
    ZK_ItemAccessAnnounceIntl(ZK_WindowLookupIntl(form).statusBarHwnd);
}

// Every typed input the user can reach, in Tab order, checked as leaving it would check it: an
// accepted one shows and keeps its value as written; the first refused one stops the check.
bool checkAll(const std::string& form, HWND dialog) {
  for (const auto& entry : ZK_ItemOrdersIntl(form)) {
    const ItemRecord field = ZK_FormItemGet(form, entry.second);
    const ZK_ItemKind* kind = ZK_ItemKindIntl(field.kind);
    if (kind == nullptr || !kind->typed || !usable(field.hwnd)) continue;
    const ZK_FieldCheck check = ZK_FieldCheckIntl(field, ZK_ControlTextIntl(field.hwnd));
    if (check.refused) {
      refuse(form, dialog, field, check.message);
      return false;
    }
    if (check.rewrite) SetWindowTextA(field.hwnd, check.shown.c_str());
    ZK_ItemChangeIntl(form, entry.second, [&](ItemRecord& r) { r.field = check.value; });
  }
  return true;
}

// An OK or CANCEL button closes the form; the close it sends is known as the button's, not the
// close box's.
void closeAs(const ZK_FormMessage& m, const std::string& role) {
  const std::string closing = ZK_FormsStateIntl().buttonClosing;
  ZK_FormsStateIntl().buttonClosing = m.form;
  ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.closedBy = role; });
  SendMessageA(m.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ZK_FormsStateIntl().buttonClosing = closing;
}

}  // namespace

bool ZK_FormKeyPressIntl(const ZK_FormMessage& m) {
  if (!m.item.empty() || HIWORD(m.wParam) != BN_CLICKED) return false;
  const ZK_FormOptions* options = ZK_FormOptionsIntl(m.form);
  if (options == nullptr) return false;
  // A copy: the press runs the application's events, which may forget the form.
  std::string button;
  if (LOWORD(m.wParam) == IDOK) button = options->defaultItem;
  if (LOWORD(m.wParam) == IDCANCEL) button = options->cancelItem;
  if (button.empty()) return false;
  press(m, button);
  return true;
}

bool ZK_FormButtonIntl(const ZK_FormMessage& m, const ItemRecord& button) {
  const ZK_FormOptions* options = ZK_FormOptionsIntl(m.form);
  if (options == nullptr) return false;
  const std::string& role = button.buttonRole;
  const bool checked =
      options->validate && role != kCancel && (role == kOk || m.item == options->defaultItem);
  if (checked && !checkAll(m.form, m.dialog)) return true;
  if (role != kOk && role != kCancel) return false;
  closeAs(m, role);
  return true;
}

bool ZK_FormCloseBoxIntl(const ZK_FormMessage& m) {
  const ZK_FormOptions* options = ZK_FormOptionsIntl(m.form);
  if (options == nullptr || options->cancelItem.empty()) return false;
  if (ZK_FormsStateIntl().buttonClosing == m.form) return false;
  if (!usable(ZK_FormItemGet(m.form, options->cancelItem).hwnd)) return true;
  ZK_WindowChangeIntl(m.form, [](WindowRecord& r) { r.closedBy = kCancel; });
  return false;
}

bool ZK_FormIsDefaultIntl(const std::string& form, const std::string& item) {
  const ZK_FormOptions* options = ZK_FormOptionsIntl(form);
  return options != nullptr && options->defaultItem == item;
}

int ZK_FormItemFocus(const std::string& form, const std::string& item) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  HWND dialog = ZK_WindowLookupIntl(form).hwnd;
  if (dialog == nullptr || !IsWindow(dialog)) return context.refuse(ZK_ERR_WINDOW_NOT_FOUND);
  const ItemRecord target = ZK_FormItemGet(form, item);
  if (target.hwnd == nullptr) return context.refuse(ZK_ERR_ITEM_NOT_FOUND);
  // What the Tab key can reach: not a label or a frame, nor a disabled or hidden item.
  const bool tabStop = (GetWindowLongA(target.hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
  if (!tabStop || !usable(target.hwnd)) return context.refuse(ZK_ERR_ITEM_NO_FOCUS);
  focusOn(dialog, target.hwnd);
  return context.done();
}

int ZK_FormCheck(const std::string& form) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  HWND dialog = ZK_WindowLookupIntl(form).hwnd;
  if (dialog == nullptr || !IsWindow(dialog)) return context.refuse(ZK_ERR_WINDOW_NOT_FOUND);
  return checkAll(form, dialog) ? context.done() : context.refuse(ZK_ERR_INPUT_REFUSED);
}

std::string ZK_FormClosedBy(const std::string& form) {
  return ZK_WindowLookupIntl(form).closedBy;
}
