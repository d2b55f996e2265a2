// Creating an item's native control on its form's dialog, from the item's record.
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

constexpr DWORD kVisible = WS_VISIBLE;    // 0x10000000
constexpr DWORD kDisabled = WS_DISABLED;  // 0x08000000

struct ControlShape {
  const char* className;
  bool nameAsText;     // the window text is the item name; otherwise none or ""
  DWORD exStyle;
  DWORD style;         // without the visibility bits
  bool hasIdentifier;  // the owner-drawn labels carry none
};

ControlShape shapeOf(const ItemRecord& record) {
  const std::string& kind = record.kind;
  if (kind == ZK_STATIC || kind == ZK_RECT) {
    return {"STATIC", true, 0, WS_CHILD | SS_OWNERDRAW, false};
  }
  if (kind == ZK_EDIT) {
    DWORD style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
    if (record.type == ZK_DATE || record.type == ZK_CURRENCY) style |= ES_RIGHT;
    if (record.password) style |= ES_PASSWORD;
    if (record.multiLine) style |= WS_VSCROLL | ES_WANTRETURN | ES_MULTILINE;
    return {"EDIT", false, WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, style, true};
  }
  if (kind == ZK_BUTTONSYS) {
    return {"BUTTON", true, 0, WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON, true};
  }
  if (kind == ZK_BUTTON) {
    return {"BUTTON", true, 0, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, true};
  }
  if (kind == ZK_CHECK) {
    return {"BUTTON", true, 0, WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_OWNERDRAW, true};
  }
  if (kind == ZK_CHECKSYS) {
    return {"BUTTON", true, 0, WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_AUTOCHECKBOX, true};
  }
  // COMBOSYS
  const DWORD drop = record.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
  return {"ComboBox", false, 0, WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL | drop, true};
}

// The combo list: VALUE1, VALUE2, ... up to VALUE50, ending at the first empty one.
std::string fillComboList(HWND combo, const std::string& properties) {
  std::string first;
  for (int i = 1; i <= 50; ++i) {
    const std::string entry = ZK_PropertyGetIntl("VALUE" + ZK_IntToTextIntl(i, 10), properties);
    if (entry.empty()) break;
    if (i == 1) first = entry;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  return first;
}

}  // namespace

int ZK_FormCreateItem(HWND parent, const std::string& form, const std::string& item) {
  const std::string key = ZK_ItemKeyIntl(form, item);
  // The control's creation and its first texts re-enter the dialog procedure, which sets the
  // context of its own: the guard keeps the caller's, and names this function again on failure.
  const ZK_ContextGuard context(key, "ZK_FormCreateItem");
  const ItemRecord declared = ZK_FormItemGet(form, item);
  if (declared.kind.empty()) return context.fail(ZK_ERR_ITEM_NOT_FOUND);
  if (item.find('.') != std::string::npos) return context.fail(ZK_ERR_NAME_HAS_DOT);
  const int identifier = declared.order + 101;
  // A grid's list is made once its columns are declared (grid_create.cpp); before, nothing is.
  if (declared.kind == ZK_DATAGRID) {
    const int grid = ZK_GridCreateIntl(parent, form, item, identifier);
    return grid == ZK_OK ? context.done() : context.fail(grid);
  }

  const ControlShape shape = shapeOf(declared);
  // A hidden item is created disabled too; showing it later enables it again (ZK_FormItemSet).
  const DWORD style = shape.style | (declared.visible ? kVisible : kDisabled);
  const bool checkBox = declared.kind == ZK_CHECKSYS;
  const char* text = shape.nameAsText ? item.c_str() : (declared.kind == ZK_EDIT ? "" : nullptr);
  HMENU id = shape.hasIdentifier ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)) : nullptr;
  HWND control = CreateWindowExA(shape.exStyle, shape.className, text, style, declared.x,
                                 declared.y, checkBox ? 14 : declared.width,
                                 checkBox ? 14 : declared.height, parent, id, ZK_globals.instance,
                                 nullptr);
  if (control == nullptr) return context.fail(ZK_ERR_CREATE_WINDOW);

  std::string fieldText;
  if (declared.kind == ZK_EDIT) {
    SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(declared.length), 0);
    if (!SetWindowTextA(control, declared.value.c_str())) {
      return context.fail(ZK_ERR_SET_WINDOW_TEXT);
    }
    fieldText = declared.value;
  } else if (checkBox) {
    if (declared.checked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
  } else if (declared.kind == ZK_COMBOSYS) {
    // A combo box ignores the edit control's limit request; its own request limits the typed
    // text of an editable combo and is refused harmlessly by a drop-down list.
    SendMessageA(control, CB_LIMITTEXT, static_cast<WPARAM>(declared.length), 0);
    fieldText = fillComboList(control, declared.properties);
  }

  // Read afresh: the control's creation and its first texts reach the dialog procedure, which may
  // have stored the record meanwhile.
  ItemRecord record = ZK_FormItemGet(form, item);
  if (record.kind.empty()) record = declared;
  record.hwnd = control;
  record.controlId = identifier;
  if (declared.kind == ZK_EDIT || declared.kind == ZK_COMBOSYS) record.field.text = fieldText;
  if (checkBox) record.field.checkState = declared.checked;
  ZK_ItemStoreIntl(key, record);

  if (declared.kind == ZK_COMBOSYS) SendMessageA(control, CB_SETCURSEL, 0, 0);
  if (declared.kind != ZK_STATIC && declared.kind != ZK_RECT && !declared.enabled) {
    EnableWindow(control, FALSE);
  }
  return context.done();
}
