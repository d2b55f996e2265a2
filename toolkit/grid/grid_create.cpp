// Making a grid's list view when its form opens: report view in owner-data mode (cells are asked
// for as they are shown), the columns, the item's colours and font, and the number of rows.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"
#include "window/gdi_objects.h"

namespace {
constexpr DWORD kListStyle = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
// Full-row selection, lines between cells, and drawing without flicker.
constexpr DWORD kListExStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;

COLORREF orSystem(std::int32_t colour, int system) {
  return colour == -1 ? GetSysColor(system) : static_cast<COLORREF>(colour);
}

int formatOf(const ZK_GridColumn& column) {
  if (column.field.textHPos == 0) return LVCFMT_CENTER;
  if (column.field.textHPos == 1) return LVCFMT_RIGHT;
  return LVCFMT_LEFT;
}

// The item's colours and font on the list view; status 1006 when the font cannot be made (the
// list then keeps its own).
int applyLook(ZK_Grid& grid, const ItemRecord& record) {
  grid.back = orSystem(record.backColour, COLOR_WINDOW);
  grid.ink = orSystem(record.textColour, COLOR_WINDOWTEXT);
  ListView_SetBkColor(grid.list, grid.back);
  ListView_SetTextBkColor(grid.list, grid.back);
  ListView_SetTextColor(grid.list, grid.ink);

  HFONT font = nullptr;
  if (!record.fontName.empty()) {
    HDC screen = GetDC(grid.list);
    const int height = -MulDiv(record.fontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(grid.list, screen);
    font = ZK_GdiFontIntl(height, record.fontBold ? FW_BOLD : FW_NORMAL, record.fontItalic,
                          record.fontUnderline, record.fontName.c_str());
    if (font == nullptr) return ZK_ERR_CREATE_FONT;
  }
  // The font in use is replaced before the old one is released.
  if (font != nullptr || grid.font != nullptr) {
    SendMessageA(grid.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (grid.editor != nullptr)
      SendMessageA(grid.editor, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (grid.font != nullptr) ZK_GdiDeleteIntl(grid.font);
    grid.font = font;
  }
  return ZK_OK;
}

LRESULT setColumn(const ZK_Grid& grid, int index, UINT message) {
  const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(index)];
  LVCOLUMNA shown = {};
  shown.mask = LVCF_TEXT | LVCF_FMT | (message == LVM_INSERTCOLUMNA ? LVCF_WIDTH : 0);
  shown.fmt = formatOf(column);
  // Widths are 96-DPI units, as places are.
  shown.cx =
      ZK_ScaleIntl(column.field.visible ? column.width : 0, ZK_WindowLookupIntl(grid.form).dpi);
  shown.pszText = const_cast<char*>(column.field.value.c_str());
  return SendMessageA(grid.list, message, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&shown));
}

// The sort arrow of each title: on the column last sorted by, in its direction.
void showSortArrows(const ZK_Grid& grid) {
  HWND header = ListView_GetHeader(grid.list);
  for (std::size_t i = 0; i < grid.columns.size(); ++i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) continue;
    const int before = item.fmt;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (grid.columns[i].name == grid.sortColumn)
      item.fmt |= grid.descending ? HDF_SORTDOWN : HDF_SORTUP;
    // A title set again is repainted, and its list told, though nothing changed.
    if (item.fmt != before) SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace

bool ZK_GridColumnInsertIntl(ZK_Grid& grid, int index) {
  if (grid.list == nullptr) return false;
  const LRESULT inserted = setColumn(grid, index, LVM_INSERTCOLUMNA);
  showSortArrows(grid);
  return inserted == index;
}

void ZK_GridRescaleIntl(const ZK_Grid& grid, int from, int to) {
  if (grid.list == nullptr || from <= 0) return;
  // Through 96-DPI units, so that a width comes back to what it was at each scale.
  for (std::size_t i = 0; i < grid.columns.size(); ++i) {
    const int width = ListView_GetColumnWidth(grid.list, static_cast<int>(i));
    ListView_SetColumnWidth(grid.list, static_cast<int>(i),
                            ZK_ScaleIntl(ZK_UnscaleIntl(width, from), to));
  }
}

void ZK_GridColumnWidthShowIntl(const ZK_Grid& grid, int index) {
  if (grid.list == nullptr) return;
  const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(index)];
  const int width = column.field.visible ? column.width : 0;
  ListView_SetColumnWidth(grid.list, index,
                          ZK_ScaleIntl(width, ZK_WindowLookupIntl(grid.form).dpi));
}

void ZK_GridColumnShowIntl(const ZK_Grid& grid, int index) {
  if (grid.list == nullptr) return;
  setColumn(grid, index, LVM_SETCOLUMNA);
  showSortArrows(grid);
}

int ZK_GridCreateIntl(HWND dialog, const std::string& form, const std::string& item,
                      int identifier) {
  const ZK_GridVisit visit;
  ZK_Grid* grid = ZK_GridFindIntl(form, item);
  if (grid == nullptr || grid->columns.empty()) return ZK_OK;
  const ItemRecord declared = ZK_FormItemGet(form, item);
  // A hidden item is created disabled too, as the other kinds are.
  const DWORD style = kListStyle | (declared.visible ? WS_VISIBLE : WS_DISABLED);
  const RECT place = ZK_ItemPlaceIntl(declared, ZK_WindowLookupIntl(form).dpi);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, item.c_str(), style, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                              ZK_WindowStateIntl().instance, nullptr);
  if (list == nullptr) return ZK_ERR_CREATE_WINDOW;
  if (grid->forgotten) {
    DestroyWindow(list);
    return ZK_OK;
  }
  grid->list = list;
  grid->focused = -1;
  grid->alone = ZK_Grid::kSelectionUnknown;
  grid->viewColumn = -1;
  grid->markPending = false;
  grid->addRows = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_ADDROWS, declared.properties));
  grid->deleteRows = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_DELROWS, declared.properties));
  grid->paste = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_PASTE, declared.properties));
  ZK_GridWindowIntl(list, grid);
  ListView_SetExtendedListViewStyleEx(list, kListExStyle, kListExStyle);
  for (std::size_t i = 0; i < grid->columns.size(); ++i)
    setColumn(*grid, static_cast<int>(i), LVM_INSERTCOLUMNA);
  if (!grid->sortColumn.empty()) showSortArrows(*grid);
  const int look = applyLook(*grid, declared);
  ZK_GridRowsChangedIntl(*grid);
  // The grid's own procedure last: the messages that made the list need nothing of it, and each
  // message through a subclass costs a window property's read, from another process on some
  // systems.
  SetWindowSubclass(list, ZK_GridListProcIntl, 0, 0);
  ZK_GridFrontIntl(dialog);

  // Read afresh: the list's creation reached the dialog procedure, which may have stored it.
  ItemRecord record = ZK_FormItemGet(form, item);
  if (record.kind.empty()) record = declared;
  record.hwnd = list;
  record.controlId = identifier;
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), record);
  if (!declared.enabled) EnableWindow(list, FALSE);
  return look;
}

void ZK_GridItemChangedIntl(const std::string& form, const std::string& item) {
  ZK_Grid* grid = ZK_GridFindIntl(form, item);
  if (grid == nullptr || grid->list == nullptr) return;
  applyLook(*grid, ZK_FormItemGet(form, item));
  InvalidateRect(grid->list, nullptr, TRUE);
}

void ZK_GridRowsChangedIntl(ZK_Grid& grid) {
  const int count = ZK_GridRowCountIntl(grid);
  if (grid.editor != nullptr && grid.editRow >= count) ZK_GridEditCancelIntl(grid);
  if (grid.list == nullptr) {
    grid.row = std::min(grid.row, count - 1);
    return;
  }
  const int shown = ListView_GetItemCount(grid.list);
  if (shown != count) {
    // No scroll to the end, no repaint of what stays: the list keeps its place. What it keeps of
    // the selection is asked again.
    ListView_SetItemCountEx(grid.list, count, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    grid.alone = ZK_Grid::kSelectionUnknown;
  }
  int row = grid.row;
  if (row >= count) row = count - 1;
  if (row < 0 && count > 0) row = 0;
  // The selection keeps row numbers, not rows: after a change of count only the current row
  // stays selected.
  if (shown != count || row != grid.row) {
    grid.row = row;
    ZK_GridSelectOnlyIntl(grid, row);
  }
  if (grid.column >= static_cast<int>(grid.columns.size())) grid.column = 0;
  ZK_GridRowsRepaintIntl(grid);
}
