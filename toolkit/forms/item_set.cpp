// Run-time item changes: one attribute of one live item at a time, the native action it needs and
// a repaint; plus repainting one item and finding the item that owns a control.
#include <windows.h>

#include <cstdint>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

std::int32_t colourOf(const std::string& value) {
  return static_cast<std::int32_t>(ZK_ColourIntl(value));
}

int decimalOf(const std::string& value) {
  return ZK_TextToIntIntl(value, 10);
}

int horizontalOf(const std::string& value) {
  const std::string word = ZK_UpperIntl(value);
  if (word == "CENTER" || word == "0") return 0;
  if (word == "RIGHT" || word == "1") return 1;
  return -1;
}

int verticalOf(const std::string& value) {
  const std::string word = ZK_UpperIntl(value);
  if (word == "CENTER" || word == "0") return 0;
  if (word == "BOTTOM" || word == "1") return 1;
  return -1;
}

using RecordChange = void (*)(ItemRecord&, const std::string&);

struct Attribute {
  const char* keyword;
  RecordChange change;
};

// The record side of every attribute, in the order keywords are matched.
const Attribute kAttributes[] = {
    {ZK_BKCOL, [](ItemRecord& r, const std::string& v) { r.backColour = colourOf(v); }},
    {ZK_TXCOL, [](ItemRecord& r, const std::string& v) { r.textColour = colourOf(v); }},
    {ZK_CHECK, [](ItemRecord& r, const std::string& v) { r.field.checkState = ZK_IsTrueIntl(v); }},
    {ZK_ENABLE, [](ItemRecord& r, const std::string& v) { r.enabled = !ZK_IsFalseIntl(v); }},
    {ZK_VISIBLE, [](ItemRecord& r, const std::string& v) { r.visible = !ZK_IsFalseIntl(v); }},
    {ZK_VALUE, [](ItemRecord& r, const std::string& v) { r.value = v; }},
    {ZK_BUTTON, [](ItemRecord& r, const std::string& v) { r.buttonRole = v; }},
    {ZK_LENGTH, [](ItemRecord& r, const std::string& v) { r.length = decimalOf(v); }},
    {ZK_FORMAT, [](ItemRecord& r, const std::string& v) { r.format = v; }},
    {ZK_REMARK, [](ItemRecord& r, const std::string& v) { r.remark = v; }},
    {ZK_NOTNULL, [](ItemRecord& r, const std::string& v) { r.notNull = ZK_IsTrueIntl(v); }},
    {ZK_EDIT, [](ItemRecord& r, const std::string& v) { r.editable = ZK_IsTrueIntl(v); }},
    {ZK_TXHPOS, [](ItemRecord& r, const std::string& v) { r.textHPos = horizontalOf(v); }},
    {ZK_TXVPOS, [](ItemRecord& r, const std::string& v) { r.textVPos = verticalOf(v); }},
    {ZK_FTNAME, [](ItemRecord& r, const std::string& v) { r.fontName = v; }},
    {ZK_FTSIZE, [](ItemRecord& r, const std::string& v) { r.fontSize = decimalOf(v); }},
    {ZK_FTBOLD, [](ItemRecord& r, const std::string& v) { r.fontBold = ZK_IsTrueIntl(v); }},
    {ZK_FTITALIC, [](ItemRecord& r, const std::string& v) { r.fontItalic = ZK_IsTrueIntl(v); }},
    {ZK_FTULINE, [](ItemRecord& r, const std::string& v) { r.fontUnderline = ZK_IsTrueIntl(v); }},
    {ZK_BRDSIZE, [](ItemRecord& r, const std::string& v) { r.borderSize = decimalOf(v); }},
    {ZK_BRDCOL, [](ItemRecord& r, const std::string& v) { r.borderColour = colourOf(v); }},
    {ZK_BRDSTYLE, [](ItemRecord& r, const std::string& v) { r.borderStyle = v; }},
    {ZK_RETURN, [](ItemRecord& r, const std::string& v) { r.field.text = v; }},
    {ZK_ADDVALUE, [](ItemRecord&, const std::string&) {}},
    {ZK_CLEARVALUE,
     [](ItemRecord& r, const std::string&) {
       if (r.kind == ZK_COMBOSYS) r.field.text = "";
     }},
};

const Attribute* findAttribute(const std::string& attribute) {
  const std::string word = ZK_UpperIntl(attribute);
  for (const Attribute& known : kAttributes) {
    if (word == known.keyword) return &known;
  }
  return nullptr;
}

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
  const WindowRecord formRecord = ZK_WindowLookupIntl(form);
  if (formRecord.callback != nullptr) {
    formRecord.callback(form, item, ZK_ITEMCHG, nullptr, 0, 0, 0);
  }
}

// ADDVALUE on a combo box: append, select the first entry and take the text it then shows.
void addValue(const std::string& form, const std::string& item, const ItemRecord& record,
              const std::string& value) {
  SendMessageA(record.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
  SendMessageA(record.hwnd, CB_SETCURSEL, 0, 0);
  char buffer[1024] = {};
  GetDlgItemTextA(ZK_WindowLookupIntl(form).hwnd, record.controlId, buffer, sizeof buffer);
  std::string text = buffer;
  if (record.length > 0 && text.size() > static_cast<std::size_t>(record.length)) {
    text.resize(static_cast<std::size_t>(record.length));
  }
  ItemRecord current = ZK_FormItemGet(form, item);
  current.field.text = text;
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), current);
}

}  // namespace

int ZK_FormItemSet(const std::string& form, const std::string& item, const std::string& attribute,
                   const std::string& value) {
  ItemRecord record = ZK_FormItemGet(form, item);
  if (record.kind.empty()) return ZK_ERR_ITEM_NOT_FOUND;
  const Attribute* row = findAttribute(attribute);
  if (row == nullptr) return ZK_ERR_KEYWORD_UNKNOWN;

  // The record is stored before the native action: enabling, showing or setting a text sends
  // messages to the dialog, whose handlers read (and may store) the same record.
  row->change(record, value);
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), record);

  const std::string keyword = row->keyword;
  if (keyword == ZK_ENABLE) {
    EnableWindow(record.hwnd, record.enabled ? TRUE : FALSE);
  } else if (keyword == ZK_VISIBLE) {
    if (!record.visible) {
      ShowWindow(record.hwnd, SW_HIDE);
    } else {
      ShowWindow(record.hwnd, SW_SHOW);
      // A hidden item was created disabled as well.
      if (record.enabled) EnableWindow(record.hwnd, TRUE);
    }
  } else if (keyword == ZK_RETURN) {
    returnValue(form, item, record, value);
  } else if (keyword == ZK_ADDVALUE && record.kind == ZK_COMBOSYS) {
    addValue(form, item, record, value);
  } else if (keyword == ZK_CLEARVALUE && record.kind == ZK_COMBOSYS) {
    SendMessageA(record.hwnd, CB_RESETCONTENT, 0, 0);
  }
  if (record.kind == ZK_DATAGRID) ZK_GridItemChangedIntl(form, item);
  return ZK_FormItemRedrawIntl(form, item);
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

namespace {
// The key's form part (before its first ".") is the form, ASCII letter case ignored.
bool ofForm(const std::string& key, const std::string& wanted) {
  const std::size_t dot = key.find('.');
  return dot != std::string::npos && ZK_UpperIntl(key.substr(0, dot)) == wanted;
}
}  // namespace

std::string ZK_FormItemByControlIntl(const std::string& form, HWND control) {
  const std::string key = ZK_ItemKeyByControlIntl(control, ofForm, ZK_UpperIntl(form));
  return key.empty() ? "" : key.substr(key.find('.') + 1);
}
