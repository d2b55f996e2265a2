// The grid's list view at work: the cells it asks for, the cells' colours, check boxes and the
// frame of the current cell (custom draw), the current cell moved by keys and clicks, editing
// started by Enter, F2, typing or a double-click, a sort asked by a title's click, Ctrl+C, Ctrl+A,
// and Ctrl+V, Insert and Delete where the grid allows them.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"
#include "window/gdi_objects.h"

namespace {
// The program's code page: 1252, or UTF-8 when its manifest declares it.
constexpr UINT kTextCodePage = CP_ACP;

// A dialog procedure gives its answer to a notification through DWLP_MSGRESULT, unless the
// grids' front is taking it straight back (grid_answer.cpp).
INT_PTR answer(HWND dialog, LPARAM notification, LRESULT value) {
  if (ZK_GridAnswerDirectIntl(reinterpret_cast<const void*>(notification), value)) return TRUE;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, value);
  return TRUE;
}

int lastColumn(const ZK_Grid& grid) {
  return static_cast<int>(grid.columns.size()) - 1;
}

int firstShown(const ZK_Grid& grid) {
  return std::max(0, ZK_GridShownColumnIntl(grid, 0, 1));
}

int lastShown(const ZK_Grid& grid) {
  return std::max(0, ZK_GridShownColumnIntl(grid, lastColumn(grid), -1));
}

bool isCheck(const ZK_Grid& grid, int column) {
  return column >= 0 && column <= lastColumn(grid) &&
         grid.columns[static_cast<std::size_t>(column)].field.type == ZK_CHECK;
}

bool hasFocus(const ZK_Grid& grid) {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == grid.list || focus == grid.editor);
}

// The current cell's frame is drawn over its row, when the grid has the focus: asked once a paint,
// and only when the row is drawn. Not while the cell moves, when a list may paint the rows it
// scrolls in before it has told the grid of the new row, which it repaints after.
bool framed(ZK_Grid& grid, int row) {
  if (row != grid.row || grid.moving) return false;
  if (grid.paintFocus < 0) grid.paintFocus = hasFocus(grid) ? 1 : 0;
  return grid.paintFocus == 1;
}

void redrawRow(const ZK_Grid& grid, int row) {
  if (grid.list != nullptr && row >= 0) ListView_RedrawItems(grid.list, row, row);
}

// The list asks in the code page of its notifications, ANSI or wide.
void giveText(ZK_Grid& grid, NMHDR* header) {
  if (header->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
    // A check box column shows its box, drawn after the row.
    const std::string_view text =
        isCheck(grid, item.iSubItem) ? "" : ZK_GridCellIntl(grid, item.iItem, item.iSubItem);
    const std::size_t size = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    if (size > 0) std::memcpy(item.pszText, text.data(), size);
    item.pszText[size] = '\0';
    return;
  }
  LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
  if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::string_view text =
      isCheck(grid, item.iSubItem) ? "" : ZK_GridCellIntl(grid, item.iItem, item.iSubItem);
  const int size =
      static_cast<int>(std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1)));
  const int written =
      size > 0 ? MultiByteToWideChar(kTextCodePage, 0, text.data(), size, item.pszText, size) : 0;
  item.pszText[written] = L'\0';
}

// A two-pixel frame in the window text colour around the current cell, over the row's highlight.
void frameCurrentCell(const ZK_Grid& grid, HDC dc) {
  RECT cell = {};
  if (!ZK_GridCellRectIntl(grid, grid.row, grid.column, &cell)) return;
  HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);  // a system brush: never deleted
  FrameRect(dc, &cell, ink);
  InflateRect(&cell, -1, -1);
  FrameRect(dc, &cell, ink);
}

// The application's colours of a cell, over the column's; -1 keeps them.
void askColours(ZK_Grid& grid, int row, std::size_t column, NMLVCUSTOMDRAW* draw) {
  std::int32_t text = -1;
  std::int32_t back = -1;
  // A copy: the procedure may ask for other cells, which reuse the grid's own buffers.
  const std::string name = grid.columns[column].name;
  const ZK_GridVisit visit;
  if (grid.colourProc(grid.form, grid.item, row, name, text, back) != 0) return;
  if (text != -1) draw->clrText = static_cast<COLORREF>(text);
  if (back != -1) draw->clrTextBk = static_cast<COLORREF>(back);
}

LRESULT customDraw(ZK_Grid& grid, NMLVCUSTOMDRAW* draw) {
  const int row = static_cast<int>(draw->nmcd.dwItemSpec);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      grid.paintFocus = -1;
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      LRESULT result = CDRF_DODEFAULT;
      if (grid.columnColours || grid.colourProc != nullptr) result |= CDRF_NOTIFYSUBITEMDRAW;
      if (grid.checkColumns || framed(grid, row)) result |= CDRF_NOTIFYPOSTPAINT;
      return result;
    }
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      // Every cell says its colours: a list keeps the last ones given for the next cell.
      const std::size_t column = static_cast<std::size_t>(draw->iSubItem);
      draw->clrText = grid.ink;
      draw->clrTextBk = grid.back;
      if (column < grid.columns.size()) {
        const ZK_GridColumn& c = grid.columns[column];
        if (c.field.textColour != -1) draw->clrText = static_cast<COLORREF>(c.field.textColour);
        if (c.field.backColour != -1) draw->clrTextBk = static_cast<COLORREF>(c.field.backColour);
        if (grid.colourProc != nullptr) askColours(grid, row, column, draw);
      }
      return CDRF_NEWFONT;
    }
    case CDDS_ITEMPOSTPAINT:
      if (grid.checkColumns) ZK_GridCheckBoxesDrawIntl(grid, draw->nmcd.hdc, row);
      if (framed(grid, row)) frameCurrentCell(grid, draw->nmcd.hdc);
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

void fillEvent(ZK_Grid& grid, int row, int column) {
  grid.event = GridRecord{};
  grid.event.eventRow = row;
  if (column >= 0 && column <= lastColumn(grid))
    grid.event.eventColumn = grid.columns[static_cast<std::size_t>(column)].name;
}

// The row the list made current (keys, clicks), taken as the grid's, with its event.
void followFocus(ZK_Grid& grid, const ZK_GridMessage& cause) {
  const int focused = grid.focused;
  if (grid.list == nullptr || focused < 0 || focused == grid.row) return;
  const int before = grid.row;
  grid.row = focused;
  redrawRow(grid, before);
  redrawRow(grid, focused);
  fillEvent(grid, focused, grid.column);
  ZK_GridRaiseIntl(grid, ZK_ROWCHG, cause);
}

// A title's click asks for a sort: again on the same column, the other way. A held grid sorts
// itself unless the event procedure answers otherwise; a virtual one leaves it to the procedure.
void sortBy(ZK_Grid& grid, int column, const ZK_GridMessage& cause) {
  if (column < 0 || column > lastColumn(grid)) return;
  if (grid.editor != nullptr && !ZK_GridEditCommitIntl(grid, cause)) return;
  if (grid.forgotten || grid.list == nullptr) return;
  const std::string& name = grid.columns[static_cast<std::size_t>(column)].name;
  const std::string beforeColumn = grid.sortColumn;
  const bool beforeDescending = grid.descending;
  const bool descending = grid.sortColumn == name && !grid.descending;
  fillEvent(grid, -1, column);
  grid.sortColumn = name;
  grid.descending = descending;
  const int veto = ZK_GridRaiseIntl(grid, ZK_COLSORT, cause);
  if (grid.forgotten || grid.list == nullptr) return;
  if (veto != 0) {
    grid.sortColumn = beforeColumn;
    grid.descending = beforeDescending;
    return;
  }
  ZK_GridSortIntl(grid, column, descending);
}

// Enter and the double-click activate the row; unless the event procedure answers otherwise,
// the cell's editor opens.
void activate(ZK_Grid& grid, const ZK_GridMessage& cause) {
  if (grid.row < 0) return;
  fillEvent(grid, grid.row, grid.column);
  const int taken = ZK_GridRaiseIntl(grid, ZK_ROWACT, cause);
  if (taken == 0 && !grid.forgotten && grid.list != nullptr) ZK_GridEditOpenIntl(grid, "");
}

// Tab past the last cell adds a row where the grid allows it.
bool tabAdds(const ZK_Grid& grid, bool backwards) {
  const int count = ZK_GridRowCountIntl(grid);
  return grid.addRows && !backwards && IsWindowEnabled(grid.list) &&
         (count == 0 || grid.row < 0 || (grid.row == count - 1 && grid.column >= lastShown(grid)));
}

// Tab and Shift+Tab go from cell to cell, row after row; past the first or last cell the focus
// leaves the grid, as the dialog's own Tab would.
bool tabLeaves(const ZK_Grid& grid, bool backwards) {
  if (tabAdds(grid, backwards)) return false;
  const int count = ZK_GridRowCountIntl(grid);
  if (count == 0 || grid.row < 0) return true;
  return backwards ? grid.row == 0 && grid.column <= firstShown(grid)
                   : grid.row == count - 1 && grid.column >= lastShown(grid);
}

void tab(ZK_Grid& grid, bool backwards, const ZK_GridMessage& cause) {
  if (tabAdds(grid, backwards)) {
    ZK_GridRowAddIntl(grid, ZK_GridRowCountIntl(grid), cause);
    return;
  }
  if (tabLeaves(grid, backwards)) {
    SendMessageA(GetParent(grid.list), WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
    return;
  }
  int row = grid.row;
  int column = ZK_GridShownColumnIntl(grid, grid.column + (backwards ? -1 : 1), backwards ? -1 : 1);
  if (column < 0 && backwards) {
    --row;
    column = lastShown(grid);
  } else if (column < 0) {
    ++row;
    column = firstShown(grid);
  }
  ZK_GridMoveIntl(grid, row, column, &cause);
}

// Left and Right go to the next shown column, staying at the ends.
int sideways(const ZK_Grid& grid, int step) {
  const int column = ZK_GridShownColumnIntl(grid, grid.column + step, step);
  return column >= 0 ? column : grid.column;
}

void pasteClipboard(ZK_Grid& grid, const ZK_GridMessage& cause) {
  std::string text;
  if (ZK_GridClipboardTextIntl(grid.list, &text)) ZK_GridPasteIntl(grid, text, cause);
}

// The row an arrow or page key goes to, by the list's own rule: a page down goes to the last row
// in view, or a page further when it is there already.
int rowFor(const ZK_Grid& grid, WPARAM key) {
  const int top = ListView_GetTopIndex(grid.list);
  const int page = std::max(1, ListView_GetCountPerPage(grid.list));
  const int row = std::max(grid.row, 0);
  switch (key) {
    case VK_UP:
      return row - 1;
    case VK_DOWN:
      return row + 1;
    case VK_PRIOR:
      return row == top ? row - page : top;
    default:
      return row == top + page - 1 ? row + page : top + page - 1;
  }
}

// The keys the grid answers itself. Rows are moved here rather than by the list: some list views
// walk every row on these keys, a million times a key.
bool onKeyDown(ZK_Grid& grid, const ZK_GridMessage& cause) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const int count = ZK_GridRowCountIntl(grid);
  switch (cause.wParam) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      // Ctrl moves the list's focus without selecting: the list's own.
      if (control) return false;
      ZK_GridMoveIntl(grid, rowFor(grid, cause.wParam), grid.column, &cause, shift);
      return true;
    case VK_LEFT:
      ZK_GridMoveIntl(grid, grid.row, sideways(grid, -1), &cause);
      return true;
    case VK_RIGHT:
      ZK_GridMoveIntl(grid, grid.row, sideways(grid, 1), &cause);
      return true;
    case VK_HOME:
      ZK_GridMoveIntl(grid, control ? 0 : grid.row, firstShown(grid), &cause, shift && control);
      return true;
    case VK_END:
      ZK_GridMoveIntl(grid, control ? count - 1 : grid.row, lastShown(grid), &cause,
                      shift && control);
      return true;
    case VK_TAB:
      tab(grid, GetKeyState(VK_SHIFT) < 0, cause);
      return true;
    case VK_RETURN:
      activate(grid, cause);
      return true;
    case VK_F2:
      ZK_GridEditOpenIntl(grid, "");
      return true;
    case 'C':
      if (!control) return false;
      ZK_GridCopyIntl(grid);
      return true;
    case 'A':
      if (!control || count == 0) return false;
      ZK_GridSelectRangeIntl(grid, 0, count - 1, false);
      return true;
    case 'V':
      if (!control || !grid.paste) return false;
      pasteClipboard(grid, cause);
      return true;
    case VK_INSERT:
      if (!grid.addRows || control || shift) return false;
      ZK_GridRowAddIntl(grid, std::max(grid.row, 0), cause);
      return true;
    case VK_DELETE:
      if (!grid.deleteRows) return false;
      ZK_GridRowsDeleteIntl(grid, cause);
      return true;
    case VK_SPACE:
      return isCheck(grid, grid.column) &&
             ZK_GridCheckToggleIntl(grid, grid.row, grid.column, cause);
    default:
      return false;
  }
}

// Typing a character starts an edit with it, as in a spreadsheet.
bool onChar(ZK_Grid& grid, WPARAM character) {
  if (character < 0x20 || character == 0x7F || GetKeyState(VK_CONTROL) < 0) {
    // Enter, Tab and Escape come as characters too: the keys above have answered them.
    return character == '\r' || character == '\t' || character == 0x1B;
  }
  // Space has toggled a check box.
  if (isCheck(grid, grid.column) && character == ' ') return true;
  ZK_GridEditOpenIntl(grid, std::string(1, static_cast<char>(character)));
  return true;
}

LRESULT dialogCode(const ZK_Grid& grid, LRESULT own, LPARAM lParam) {
  LRESULT code = own | DLGC_WANTARROWS | DLGC_WANTCHARS;
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (message == nullptr || message->message != WM_KEYDOWN) return code;
  // Enter belongs to the grid, not to the form's OK button; Tab too, except at the grid's ends and
  // with Ctrl, which leave it.
  if (message->wParam == VK_RETURN || message->wParam == VK_F2) code |= DLGC_WANTMESSAGE;
  // The editing keys the grid takes are its own, before any accelerator of the program's.
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const WPARAM key = message->wParam;
  if ((control && (key == 'C' || key == 'A' || (key == 'V' && grid.paste))) ||
      (key == VK_INSERT && grid.addRows) || (key == VK_DELETE && grid.deleteRows))
    code |= DLGC_WANTMESSAGE;
  if (message->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
      !tabLeaves(grid, GetKeyState(VK_SHIFT) < 0))
    code |= DLGC_WANTMESSAGE;
  return code;
}

// The cell under a point of the list's client area; false outside the rows.
bool cellAt(const ZK_Grid& grid, LPARAM point, int* row, int* column) {
  LVHITTESTINFO hit = {};
  hit.pt.x = static_cast<short>(LOWORD(point));
  hit.pt.y = static_cast<short>(HIWORD(point));
  if (ListView_SubItemHitTest(grid.list, &hit) < 0 || hit.iItem < 0) return false;
  *row = hit.iItem;
  *column = hit.iSubItem;
  return *column >= 0 && *column <= lastColumn(grid);
}

// A click first ends an open edit; a refused value keeps the editor, and the click is dropped.
// Then the clicked cell becomes current, the list selecting its row as it does.
bool onButtonDown(ZK_Grid& grid, const ZK_GridMessage& cause) {
  if (grid.editor != nullptr && !ZK_GridEditCommitIntl(grid, cause)) {
    if (!grid.forgotten && grid.editor != nullptr) SetFocus(grid.editor);
    return true;
  }
  if (grid.forgotten || grid.list == nullptr) return true;
  int row = 0;
  int column = 0;
  const bool inCell = cellAt(grid, cause.lParam, &row, &column);
  // A hidden column's cell is never current: the click takes the next shown one.
  if (inCell && !grid.columns[static_cast<std::size_t>(column)].field.visible)
    column = sideways(grid, 1);
  RECT box = {};
  const POINT at = {static_cast<short>(LOWORD(cause.lParam)),
                    static_cast<short>(HIWORD(cause.lParam))};
  if (inCell && cause.message == WM_LBUTTONDOWN &&
      ZK_GridCheckBoxRectIntl(grid, row, column, &box) && PtInRect(&box, at)) {
    // The box's click makes its cell current and toggles it; the list selects the row as usual.
    ZK_GridMoveIntl(grid, row, column, &cause);
    if (grid.forgotten || grid.list == nullptr) return true;
    ZK_GridCheckToggleIntl(grid, row, column, cause);
    return grid.forgotten || grid.list == nullptr;
  }
  if (inCell && column != grid.column) {
    grid.column = column;
    redrawRow(grid, grid.row);
    if (hasFocus(grid)) ZK_GridShowRemarkIntl(grid);
  }
  return false;
}

void onDoubleClick(ZK_Grid& grid, const ZK_GridMessage& cause) {
  int row = 0;
  int column = 0;
  if (!cellAt(grid, cause.lParam, &row, &column)) return;
  // The second click of a double-click on a box toggles it again.
  RECT box = {};
  const POINT at = {static_cast<short>(LOWORD(cause.lParam)),
                    static_cast<short>(HIWORD(cause.lParam))};
  if (ZK_GridCheckBoxRectIntl(grid, row, column, &box) && PtInRect(&box, at)) {
    ZK_GridCheckToggleIntl(grid, row, column, cause);
    return;
  }
  if (!ZK_GridMoveIntl(grid, row, column, &cause)) return;
  activate(grid, cause);
}

bool hiddenEdge(const ZK_Grid& grid, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHEADERA*>(lParam);
  const UINT code = header->hdr.code;
  if (code != HDN_BEGINTRACKA && code != HDN_BEGINTRACKW && code != HDN_DIVIDERDBLCLICKA &&
      code != HDN_DIVIDERDBLCLICKW)
    return false;
  return header->iItem >= 0 && header->iItem <= lastColumn(grid) &&
         !grid.columns[static_cast<std::size_t>(header->iItem)].field.visible;
}

// Messages after which a column may stand elsewhere in the list (a title's drag comes as the
// header's notification).
bool movesColumns(UINT message) {
  switch (message) {
    case WM_NOTIFY:
    case WM_SETFONT:
    case LVM_SETCOLUMNWIDTH:
    case LVM_SETCOLUMNA:
    case LVM_SETCOLUMNW:
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNORDERARRAY:
      return true;
    default:
      return false;
  }
}

// Messages that neither read nor change the list's selection mark: those of a move and a paint.
// Any other is preceded by the mark the grid has set meanwhile (a key the list takes itself, just
// before the list has it).
bool keepsMark(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NOTIFY:
    case WM_TIMER:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_GETDLGCODE:
    case LVM_GETTOPINDEX:
    case LVM_GETCOUNTPERPAGE:
    case LVM_GETITEMCOUNT:
    case LVM_GETSELECTEDCOUNT:
    case LVM_GETITEMSTATE:
    case LVM_SETITEMSTATE:
    case LVM_ENSUREVISIBLE:
    case LVM_GETSUBITEMRECT:
    case LVM_REDRAWITEMS:
      return true;
    default:
      return false;
  }
}

void giveMark(HWND list, ZK_Grid& grid) {
  if (!grid.markPending) return;
  grid.markPending = false;
  DefSubclassProc(list, LVM_SETSELECTIONMARK, 0, grid.mark);
}

void onDestroy(HWND list, ZK_Grid& grid) {
  // The list and its editor are gone: the font they used can go too.
  ZK_GridWindowIntl(list, nullptr);
  if (grid.editor != nullptr) ZK_GridWindowIntl(grid.editor, nullptr);
  grid.list = nullptr;
  grid.editor = nullptr;
  if (grid.font != nullptr) ZK_GdiDeleteIntl(grid.font);
  grid.font = nullptr;
}

}  // namespace

int ZK_GridShownColumnIntl(const ZK_Grid& grid, int column, int step) {
  for (; column >= 0 && column <= lastColumn(grid); column += step) {
    if (grid.columns[static_cast<std::size_t>(column)].field.visible) return column;
    if (step == 0) return -1;
  }
  return -1;
}

bool ZK_GridCellRectIntl(const ZK_Grid& grid, int row, int column, RECT* cell) {
  if (grid.list == nullptr || row < 0 || column < 0 || column > lastColumn(grid)) return false;
  // The first column's bounds are the whole row's: its label is the cell.
  return ListView_GetSubItemRect(grid.list, row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS,
                                 cell) != FALSE;
}

// The current column's remark, or the grid's; read in place, not from a copy of the item's whole
// record, at every move.
static const std::string* remarkOf(const ZK_Grid& grid) {
  if (grid.column >= 0 && grid.column <= lastColumn(grid)) {
    const std::string& remark = grid.columns[static_cast<std::size_t>(grid.column)].field.remark;
    if (!remark.empty()) return &remark;
  }
  const ZK_ItemTable& items = ZK_ItemTableIntl();
  const auto found = items.find(ZK_ItemKeyIntl(grid.form, grid.item));
  return found != items.end() && !found->second.remark.empty() ? &found->second.remark : nullptr;
}

bool ZK_GridShowRemarkIntl(const ZK_Grid& grid) {
  // Without a remark the status bar keeps what the application put there.
  const std::string* remark = remarkOf(grid);
  if (remark == nullptr) return false;
  ZK_FormStatusShowIntl(grid.form, *remark);
  return true;
}

void ZK_GridSelectOnlyIntl(ZK_Grid& grid, int row) {
  HWND list = grid.list;
  if (list == nullptr) return;
  // Clearing every row's state walks all of them in some list views (a million calls): the one
  // selected row, the usual case, is cleared alone. Which one it is the grid knows from the
  // last call, unless the list has told of another change of the selection since.
  grid.selecting = true;  // the list's notifications of this change are the grid's own
  const int count = ZK_GridRowCountIntl(grid);
  if (grid.alone == ZK_Grid::kSelectionUnknown) {
    const int selected = ListView_GetSelectedCount(list);
    const int focused = grid.focused < count ? grid.focused : -1;
    if (selected == 1 && focused >= 0 &&
        ListView_GetItemState(list, focused, LVIS_SELECTED) == LVIS_SELECTED) {
      ListView_SetItemState(list, focused, 0, LVIS_SELECTED);
    } else if (selected > 0) {
      ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    }
  } else if (grid.alone >= 0 && grid.alone != row && grid.alone < count) {
    ListView_SetItemState(list, grid.alone, 0, LVIS_SELECTED);
  }
  if (row >= 0) {
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    grid.mark = row;
    grid.markPending = true;
  }
  grid.alone = row;
  grid.selecting = false;
}

// Shift with a move: the rows from the selection's anchor to the new row are selected, by
// changing only those whose state changes.
static void extendSelection(ZK_Grid& grid, int from, int to) {
  HWND list = grid.list;
  grid.selecting = true;
  int anchor = ListView_GetSelectionMark(list);
  if (anchor < 0 || anchor >= ZK_GridRowCountIntl(grid)) anchor = std::max(from, 0);
  const int oldLow = std::min(anchor, from);
  const int oldHigh = std::max(anchor, from);
  const int newLow = std::min(anchor, to);
  const int newHigh = std::max(anchor, to);
  // A selection of another shape (Ctrl+clicks) is cleared whole first.
  if (from < 0 || ListView_GetSelectedCount(list) != static_cast<UINT>(oldHigh - oldLow + 1)) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row = newLow; row <= newHigh; ++row)
      ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  } else {
    for (int row = oldLow; row <= oldHigh; ++row)
      if (row < newLow || row > newHigh) ListView_SetItemState(list, row, 0, LVIS_SELECTED);
    for (int row = newLow; row <= newHigh; ++row)
      if (row < oldLow || row > oldHigh)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  }
  ListView_SetItemState(list, to, LVIS_FOCUSED, LVIS_FOCUSED);
  ListView_SetSelectionMark(list, anchor);
  grid.selecting = false;
}

// The current column scrolled sideways into view. A column's place does not depend on the row: it
// is looked at again only when the column, the horizontal scroll, the list's width or the columns
// have changed since.
static void columnInView(ZK_Grid& grid, int row, int column) {
  RECT client = {};
  if (!GetClientRect(grid.list, &client)) return;
  const int scroll = GetScrollPos(grid.list, SB_HORZ);
  if (grid.viewColumn == column && grid.viewScroll == scroll && grid.viewWidth == client.right)
    return;
  RECT cell = {};
  if (!ZK_GridCellRectIntl(grid, row, column, &cell)) return;
  int by = 0;
  if (cell.left < 0)
    by = cell.left;
  else if (cell.right > client.right)
    by = std::min(cell.right - client.right, cell.left);
  if (by != 0) ListView_Scroll(grid.list, by, 0);
  grid.viewColumn = column;
  grid.viewScroll = GetScrollPos(grid.list, SB_HORZ);
  grid.viewWidth = client.right;
}

bool ZK_GridMoveIntl(ZK_Grid& grid, int row, int column, const ZK_GridMessage* cause, bool extend) {
  const int count = ZK_GridRowCountIntl(grid);
  row = count == 0 ? -1 : std::clamp(row, 0, count - 1);
  column = std::clamp(column, 0, std::max(0, lastColumn(grid)));
  if (ZK_GridShownColumnIntl(grid, column, 0) < 0) {
    const int shown = ZK_GridShownColumnIntl(grid, column, 1);
    column = shown >= 0 ? shown : std::max(0, ZK_GridShownColumnIntl(grid, column, -1));
  }
  const int before = grid.row;
  const bool rowChanged = row != grid.row;
  const bool columnChanged = column != grid.column;
  grid.row = row;
  grid.column = column;
  if (grid.list != nullptr) {
    // The rows whose state changes are repainted by the list after it has told of the change.
    grid.moving = true;
    if (rowChanged && extend && row >= 0) {
      extendSelection(grid, before, row);
    } else if (rowChanged) {
      ZK_GridSelectOnlyIntl(grid, row);
    }
    grid.moving = false;
    if (row >= 0) {
      ListView_EnsureVisible(grid.list, row, FALSE);
      columnInView(grid, row, column);
    }
    // Rows whose state changed are repainted by the list; asking again after its scroll repaints
    // the whole page once more in some list views.
    if (!rowChanged) redrawRow(grid, row);
    if ((rowChanged || columnChanged) && remarkOf(grid) != nullptr && hasFocus(grid))
      ZK_GridShowRemarkIntl(grid);
  }
  if (cause != nullptr && rowChanged && row >= 0) {
    fillEvent(grid, row, column);
    ZK_GridRaiseIntl(grid, ZK_ROWCHG, *cause);
  }
  return !grid.forgotten;
}

INT_PTR ZK_GridNotifyIntl(const ZK_FormMessage& m) {
  HWND dialog = m.dialog;
  const LPARAM lParam = m.lParam;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr) return 0;
  const ZK_GridVisit visit;
  ZK_Grid* grid = ZK_GridByWindowIntl(header->hwndFrom);
  if (grid == nullptr || grid->list != header->hwndFrom) return 0;
  const ZK_GridMessage cause{WM_NOTIFY, static_cast<WPARAM>(header->idFrom), lParam};
  switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      giveText(*grid, header);
      return TRUE;
    case NM_CUSTOMDRAW:
      return answer(dialog, lParam, customDraw(*grid, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
    case LVN_ODSTATECHANGED:
      grid->alone = ZK_Grid::kSelectionUnknown;
      return 0;
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) &&
          (change->iItem < 0 || ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)))
        grid->alone = ZK_Grid::kSelectionUnknown;
      const bool gained = (change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED);
      if (!(change->uChanged & LVIF_STATE) || !gained || change->iItem < 0) return TRUE;
      grid->focused = change->iItem;
      if (!grid->selecting) followFocus(*grid, cause);
      return TRUE;
    }
    case LVN_COLUMNCLICK:
      sortBy(*grid, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem, cause);
      return TRUE;
    case NM_SETFOCUS:
      ZK_GridShowRemarkIntl(*grid);
      return TRUE;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
      // Typing starts an edit instead of a search.
      return answer(dialog, lParam, -1);
    default:
      return 0;
  }
}

LRESULT CALLBACK ZK_GridListProcIntl(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR) {
  const ZK_GridVisit visit;
  ZK_Grid* grid = ZK_GridByWindowIntl(list);
  if (grid == nullptr || grid->list != list) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ZK_GridListProcIntl, 0);
    return DefSubclassProc(list, message, wParam, lParam);
  }
  const ZK_GridMessage cause{message, wParam, lParam};
  if (movesColumns(message)) grid->viewColumn = -1;
  if (!keepsMark(message)) giveMark(list, *grid);
  switch (message) {
    case WM_GETDLGCODE:
      return dialogCode(*grid, DefSubclassProc(list, message, wParam, lParam), lParam);
    case WM_KEYDOWN: {
      if (onKeyDown(*grid, cause)) return 0;
      if (grid->forgotten || grid->list != list) break;
      giveMark(list, *grid);
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (!grid->forgotten) followFocus(*grid, cause);
      return result;
    }
    case WM_CHAR:
      if (onChar(*grid, wParam)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      if (onButtonDown(*grid, cause)) return 0;
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (!grid->forgotten) followFocus(*grid, cause);
      return result;
    }
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (!grid->forgotten && grid->list != nullptr) onDoubleClick(*grid, cause);
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      // Back in the grid with an edit open (a refused one, left for another control): the
      // editor takes the focus again.
      if (grid->editor != nullptr) SetFocus(grid->editor);
      redrawRow(*grid, grid->row);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      redrawRow(*grid, grid->row);
      return result;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_SIZE:
    case WM_NOTIFY: {
      // A hidden column is a column of no width: its edge is not dragged open.
      if (hiddenEdge(*grid, lParam)) return TRUE;
      // A scroll or a title's drag moves the cells under an open editor.
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (!grid->forgotten && grid->editor != nullptr) ZK_GridEditPlaceIntl(*grid);
      return result;
    }
    case WM_COMMAND:
      // The editor's notifications are not the list's own label editor's.
      if (grid->editor != nullptr && reinterpret_cast<HWND>(lParam) == grid->editor) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, ZK_GridListProcIntl, 0);
      {
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        onDestroy(list, *grid);
        return result;
      }
    default:
      // Another program asking the grid's item name (a test driver).
      if (ZK_NameQueryIntl(message)) return ZK_NameOfControlIntl(list);
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

void ZK_GridRowsRepaintIntl(const ZK_Grid& grid) {
  if (grid.list == nullptr) return;
  RECT rows = {};
  GetClientRect(grid.list, &rows);
  RECT header = {};
  HWND headers = ListView_GetHeader(grid.list);
  if (headers != nullptr && IsWindowVisible(headers) && GetWindowRect(headers, &header)) {
    MapWindowPoints(nullptr, grid.list, reinterpret_cast<POINT*>(&header), 2);
    rows.top = std::max(rows.top, header.bottom);
  }
  InvalidateRect(grid.list, &rows, TRUE);
}
