// Creating an item's native control on its form's dialog, from the item's record and its kind.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

const char* controlText(const ZK_ItemKind& kind, const std::string& item) {
  switch (kind.text) {
    case ZK_ControlText::kItemName:
      return item.c_str();
    case ZK_ControlText::kEmpty:
      return "";
    case ZK_ControlText::kNone:
      break;
  }
  return nullptr;
}

// What the record learns of its new control.
void takeControl(ItemRecord& record, const ZK_ItemKind& kind, const ItemRecord& declared,
                 HWND control, int identifier) {
  record.hwnd = control;
  record.controlId = identifier;
  switch (kind.initial) {
    case ZK_InitialValue::kValueText:
      record.field.text = declared.value;
      break;
    case ZK_InitialValue::kFirstEntry:
      record.field.text = ZK_PropertyGetIntl("VALUE1", declared.properties);
      break;
    case ZK_InitialValue::kChecked:
      record.field.checkState = declared.checked;
      break;
    case ZK_InitialValue::kUnchanged:
      break;
  }
}

}  // namespace

RECT ZK_ItemPlaceIntl(const ItemRecord& item, int dpi) {
  const ZK_ItemKind* kind = ZK_ItemKindIntl(item.kind);
  const int fixed = kind != nullptr ? kind->fixedSize : 0;
  // Each of place and size scaled on its own, as the platform scales a rectangle.
  const int left = ZK_ScaleIntl(item.x, dpi);
  const int top = ZK_ScaleIntl(item.y, dpi);
  const int width = ZK_ScaleIntl(fixed != 0 ? fixed : item.width, dpi);
  const int height = ZK_ScaleIntl(fixed != 0 ? fixed : item.height, dpi);
  return {left, top, left + width, top + height};
}

int ZK_FormCreateItem(HWND parent, const std::string& form, const std::string& item) {
  const std::string key = ZK_ItemKeyIntl(form, item);
  // The control's creation and its first texts re-enter the dialog procedure, which sets the
  // context of its own: the guard keeps the caller's, and names this function again on failure.
  const ZK_ContextGuard context(key, "ZK_FormCreateItem");
  const ItemRecord declared = ZK_FormItemGet(form, item);
  if (declared.kind.empty()) return context.fail(ZK_ERR_ITEM_NOT_FOUND);
  if (item.find('.') != std::string::npos) return context.fail(ZK_ERR_NAME_HAS_DOT);
  const int identifier = declared.order + 101;
  const ZK_ItemKind& kind = *ZK_ItemKindIntl(declared.kind);
  // A grid's list is made once its columns are declared (grid_create.cpp); before, nothing is.
  if (declared.kind == ZK_DATAGRID) {
    const auto create = ZK_FormsStateIntl().hooks.create;
    const int grid = create != nullptr ? create(parent, form, item, identifier) : ZK_OK;
    return grid == ZK_OK ? context.done() : context.fail(grid);
  }
  if (kind.className == nullptr) return context.done();

  DWORD style = kind.style | (kind.styleOf != nullptr ? kind.styleOf(declared) : 0);
  // A hidden item is created disabled too; showing it later enables it again (ZK_FormItemSet).
  style |= declared.visible ? WS_VISIBLE : WS_DISABLED;
  HMENU id = kind.identified ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)) : nullptr;
  const RECT place = ZK_ItemPlaceIntl(declared, ZK_WindowLookupIntl(form).dpi);
  HWND control =
      CreateWindowExA(kind.exStyle, kind.className, controlText(kind, item), style, place.left,
                      place.top, place.right - place.left, place.bottom - place.top, parent, id,
                      ZK_WindowStateIntl().instance, nullptr);
  if (control == nullptr) return context.fail(ZK_ERR_CREATE_WINDOW);
  ZK_ItemHookIntl(control);
  if (kind.fill != nullptr) {
    const int filled = kind.fill(control, declared);
    if (filled != ZK_OK) return context.fail(filled);
  }

  // The control's creation and its first texts reach the dialog procedure, whose handlers may
  // store the record meanwhile: the change goes to the stored record, or to the declared one
  // when an event procedure has forgotten the item.
  const auto take = [&](ItemRecord& r) { takeControl(r, kind, declared, control, identifier); };
  if (!ZK_ItemChangeIntl(form, item, take)) {
    ItemRecord record = declared;
    take(record);
    ZK_ItemStoreIntl(key, record);
  }

  if (kind.initial == ZK_InitialValue::kFirstEntry) SendMessageA(control, CB_SETCURSEL, 0, 0);
  if (kind.enableApplies && !declared.enabled) EnableWindow(control, FALSE);
  return context.done();
}
