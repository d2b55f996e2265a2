// Run-time item changes: one keyword of one live item at a time, read from the keyword table, the
// native action it needs and a repaint; plus repainting one item.
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

// RETURN on an input item: the control shows the value, then the form hears of the change.
void returnValue(const std::string& form, const std::string& item, const ItemRecord& record,
                 const std::string& value) {
  if (record.kind == ZK_EDIT) {
    SendMessageA(record.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  } else if (record.kind == ZK_COMBOSYS) {
    const LPARAM text = reinterpret_cast<LPARAM>(value.c_str());
    LRESULT found = SendMessageA(record.hwnd, CB_FINDSTRING, 0, text);
    if (found == CB_ERR) {
      SendMessageA(record.hwnd, CB_ADDSTRING, 0, text);
      found = SendMessageA(record.hwnd, CB_FINDSTRING, 0, text);
    }
    SendMessageA(record.hwnd, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  } else {
    return;
  }
  // No message stands behind this change: all four message values are 0.
  ZK_FormRaiseIntl({nullptr, 0, 0, 0, form, item}, ZK_ITEMCHG);
}

// ADDVALUE on a combo box: append, select the first entry and take the text it then shows.
void addValue(const std::string& form, const std::string& item, const ItemRecord& record,
              const std::string& value) {
  SendMessageA(record.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
  SendMessageA(record.hwnd, CB_SETCURSEL, 0, 0);
  const std::string text = ZK_LengthCutIntl(ZK_ControlTextIntl(record.hwnd), record.length);
  ZK_ItemChangeIntl(form, item, [&](ItemRecord& r) { r.field.text = text; });
}

void act(ZK_Native native, const std::string& form, const std::string& item,
         const ItemRecord& record, const std::string& value) {
  switch (native) {
    case ZK_Native::kEnable:
      EnableWindow(record.hwnd, record.enabled ? TRUE : FALSE);
      break;
    case ZK_Native::kShow:
      if (!record.visible) {
        ShowWindow(record.hwnd, SW_HIDE);
      } else {
        ShowWindow(record.hwnd, SW_SHOW);
        // A hidden item was created disabled as well.
        if (record.enabled) EnableWindow(record.hwnd, TRUE);
      }
      break;
    case ZK_Native::kReturn:
      returnValue(form, item, record, value);
      break;
    case ZK_Native::kAddValue:
      if (record.kind == ZK_COMBOSYS) addValue(form, item, record, value);
      break;
    case ZK_Native::kClearValue:
      if (record.kind != ZK_COMBOSYS) break;
      ZK_ItemChangeIntl(form, item, [](ItemRecord& r) { r.field.text = ""; });
      SendMessageA(record.hwnd, CB_RESETCONTENT, 0, 0);
      break;
    case ZK_Native::kAnchor:
      ZK_FormItemPlaceIntl(form, item, "");
      break;
    case ZK_Native::kPlace:
      ZK_FormItemPlaceIntl(form, item, value);
      break;
    case ZK_Native::kNone:
      break;
  }
}

}  // namespace

int ZK_FormItemSet(const std::string& form, const std::string& item, const std::string& attribute,
                   const std::string& value) {
  // Statuses are returned, never reported, and the caller's context stays.
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  ItemRecord record = ZK_FormItemGet(form, item);
  if (record.kind.empty()) return context.refuse(ZK_ERR_ITEM_NOT_FOUND);
  const ZK_ItemKeyword* keyword = ZK_ItemKeywordIntl(ZK_UpperIntl(attribute));
  if (keyword == nullptr || keyword->changed == ZK_Reading::kNone) {
    return context.refuse(ZK_ERR_KEYWORD_UNKNOWN);
  }

  // The record is stored before the native action: enabling, showing or setting a text sends
  // messages to the dialog, whose handlers read (and may store) the same record.
  ZK_ItemKeywordChangeIntl(*keyword, value, record);
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), record);
  act(keyword->native, form, item, record, value);
  const auto changed = ZK_FormsStateIntl().hooks.changed;
  if (record.kind == ZK_DATAGRID && changed != nullptr) changed(form, item);
  ZK_ItemAccessChangedIntl(form, item, keyword->name);
  const int status = ZK_FormItemRedrawIntl(form, item);
  return status == ZK_OK ? context.done() : context.refuse(status);
}

int ZK_FormItemRedrawIntl(const std::string& form, const std::string& item) {
  const ZK_ItemTable& items = ZK_ItemTableIntl();
  const auto found = items.find(ZK_ItemKeyIntl(form, item));
  if (found == items.end()) return ZK_ERR_ITEM_NOT_FOUND;
  const HWND control = found->second.hwnd;
  // No control yet (a form not open, a DATAGRID): a null window would repaint the whole desktop.
  if (control == nullptr) return ZK_OK;
  if (!RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)) {
    return ZK_ERR_INVALIDATE_OR_REDRAW;
  }
  return ZK_OK;
}
