// The item kinds, one row each: the native control a kind makes and how the toolkit treats it.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

DWORD editStyle(const ItemRecord& record) {
  DWORD style = 0;
  const ZK_DataType* type = ZK_DataTypeIntl(record.type);
  if (type != nullptr && type->alignment == 1) style |= ES_RIGHT;
  if (record.password) style |= ES_PASSWORD;
  if (record.multiLine) style |= WS_VSCROLL | ES_WANTRETURN | ES_MULTILINE;
  return style;
}

DWORD comboStyle(const ItemRecord& record) {
  return record.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
}

// The declared LENGTH (0: the platform's maximum) and VALUE.
int fillEdit(HWND control, const ItemRecord& declared) {
  SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(declared.length), 0);
  return SetWindowTextA(control, declared.value.c_str()) ? ZK_OK : ZK_ERR_SET_WINDOW_TEXT;
}

int fillCheck(HWND control, const ItemRecord& declared) {
  if (declared.checked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
  return ZK_OK;
}

// The list VALUE1, VALUE2, ... up to VALUE50, ending at the first empty one.
int fillCombo(HWND control, const ItemRecord& declared) {
  // A combo box ignores the edit control's limit request; its own request limits the typed text
  // of an editable combo and is refused harmlessly by a drop-down list.
  SendMessageA(control, CB_LIMITTEXT, static_cast<WPARAM>(declared.length), 0);
  for (int i = 1; i <= 50; ++i) {
    const std::string entry =
        ZK_PropertyGetIntl("VALUE" + ZK_IntToTextIntl(i, 10), declared.properties);
    if (entry.empty()) break;
    SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  return ZK_OK;
}

constexpr DWORD kChild = WS_CHILD;
constexpr DWORD kInput = WS_CHILD | WS_TABSTOP;
using C = ZK_Click;
using V = ZK_InitialValue;
using T = ZK_ControlText;

// clang-format off
const ZK_ItemKind kKinds[] = {
  // kind       class       text          extended style                       style (visibility apart)
  //            record's bits  identified  fixed size  typed  formatted  drawn  enable applies  click  value  fill
  {ZK_STATIC,    "STATIC",   T::kItemName, 0,                                   kChild | SS_OWNERDRAW,
                 nullptr,    false, 0,  false, false, true,  false, C::kNothing, V::kUnchanged,  nullptr},
  {ZK_RECT,      "STATIC",   T::kItemName, 0,                                   kChild | SS_OWNERDRAW,
                 nullptr,    false, 0,  false, false, true,  false, C::kNothing, V::kUnchanged,  nullptr},
  {ZK_EDIT,      "EDIT",     T::kEmpty,    WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, kInput | ES_AUTOHSCROLL,
                 editStyle,  true,  0,  true,  true,  false, true,  C::kNothing, V::kValueText,  fillEdit},
  {ZK_BUTTONSYS, "BUTTON",   T::kItemName, 0,                                   kInput | BS_NOTIFY | BS_PUSHBUTTON,
                 nullptr,    true,  0,  false, false, false, true,  C::kNothing, V::kUnchanged,  nullptr},
  {ZK_BUTTON,    "BUTTON",   T::kItemName, 0,                                   kInput | BS_OWNERDRAW,
                 nullptr,    true,  0,  false, false, true,  true,  C::kEvent,   V::kUnchanged,  nullptr},
  {ZK_CHECKSYS,  "BUTTON",   T::kItemName, 0,                                   kInput | BS_NOTIFY | BS_AUTOCHECKBOX,
                 nullptr,    true,  14, false, false, false, true,  C::kToggle,  V::kChecked,    fillCheck},
  {ZK_CHECK,     "BUTTON",   T::kItemName, 0,                                   kInput | BS_NOTIFY | BS_OWNERDRAW,
                 nullptr,    true,  0,  false, false, true,  true,  C::kToggle,  V::kUnchanged,  nullptr},
  {ZK_COMBOSYS,  "ComboBox", T::kNone,     0,                                   kInput | WS_VSCROLL | CBS_AUTOHSCROLL,
                 comboStyle, true,  0,  true,  false, false, true,  C::kNothing, V::kFirstEntry, fillCombo},
  // Accepted and stored; no control is made and nothing draws it.
  {ZK_DATAGRID,  nullptr,    T::kNone,     0,                                   0,
                 nullptr,    false, 0,  false, false, false, false, C::kNothing, V::kUnchanged,  nullptr},
};
// clang-format on

}  // namespace

const ZK_ItemKind* ZK_ItemKindIntl(const std::string& kind) {
  for (const ZK_ItemKind& known : kKinds)
    if (kind == known.name) return &known;
  return nullptr;
}
