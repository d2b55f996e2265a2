// The baseline grid: a dialog from an in-memory template whose procedure creates an owner-data
// list view in report view, answers its cell requests from the generator, draws the current
// cell's frame in custom draw, and keeps a status bar, as a hand-written program would.
#include "raw_grid.h"

#include "../win32/raw_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace bench {

namespace {
constexpr int kListId = 102;
constexpr int kStatusBarId = 100;
const char* const kTitles[kGridColumns] = {"Date", "Libell\xE9", "Montant"};
const int kWidths[kGridColumns] = {100, 220, 120};

struct Session {
  HWND list = nullptr;
  HWND statusBar = nullptr;
  int rows = 0;
  int current = 0;  // the current row; the current column is the first
  std::string text;
};

Session* sessionOf(HWND dialog) {
  return reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Rows moved by the program itself on the page keys, as the toolkit's grid moves them: the list's
// own Page Down walks every row of a million under some list views. With Ctrl or Shift the key
// keeps the list's own meaning (the focus moved alone, the selection extended), which a program
// that takes the key over must leave it.
LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, listProc, 0);
  if (message != WM_KEYDOWN || (wParam != VK_NEXT && wParam != VK_PRIOR) ||
      GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0)
    return DefSubclassProc(list, message, wParam, lParam);
  Session& s = *reinterpret_cast<Session*>(data);
  if (s.rows == 0) return 0;
  const int top = ListView_GetTopIndex(list);
  const int page = std::max(1, ListView_GetCountPerPage(list));
  int row = 0;
  if (wParam == VK_NEXT)
    row = s.current == top + page - 1 ? s.current + page : top + page - 1;
  else
    row = s.current == top ? s.current - page : top;
  row = std::clamp(row, 0, s.rows - 1);
  ListView_SetItemState(list, s.current, 0, LVIS_SELECTED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, row, FALSE);
  return 0;
}

void create(HWND dialog, Session& s) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  s.list = CreateWindowExA(
      WS_EX_CLIENTEDGE, WC_LISTVIEWA, "grille",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 10, 10,
      540, 400, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
  ListView_SetExtendedListViewStyleEx(s.list, extended, extended);
  for (int i = 0; i < kGridColumns; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = kWidths[i];
    column.pszText = const_cast<char*>(kTitles[i]);
    SendMessageA(s.list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  SetWindowSubclass(s.list, listProc, 0, reinterpret_cast<DWORD_PTR>(&s));
  ListView_SetItemCountEx(s.list, s.rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  if (s.rows > 0)
    ListView_SetItemState(s.list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  s.statusBar = CreateWindowExA(
      0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance, nullptr);
  MoveWindow(dialog, 10, 10, 580, 470, TRUE);
  ShowWindow(dialog, SW_SHOWNORMAL);
}

LRESULT customDraw(Session& s, NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return static_cast<int>(draw->nmcd.dwItemSpec) == s.current && GetFocus() == s.list
                 ? CDRF_NOTIFYPOSTPAINT
                 : CDRF_DODEFAULT;
    case CDDS_ITEMPOSTPAINT: {
      RECT cell = {};
      if (ListView_GetSubItemRect(s.list, s.current, 0, LVIR_LABEL, &cell)) {
        HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
        FrameRect(draw->nmcd.hdc, &cell, ink);
        InflateRect(&cell, -1, -1);
        FrameRect(draw->nmcd.hdc, &cell, ink);
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

INT_PTR CALLBACK rawProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Session* s = message == WM_INITDIALOG ? reinterpret_cast<Session*>(lParam) : sessionOf(dialog);
  if (s == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      // The list is made before the dialog shows, as a toolkit form's controls are.
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      create(dialog, *s);
      return TRUE;
    case WM_SIZE:
      if (s->statusBar != nullptr) SendMessageA(s->statusBar, WM_SIZE, 0, 0);
      return TRUE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom != s->list) return 0;
      if (header->code == LVN_GETDISPINFOA) {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0) {
          GridCell(item.iItem, item.iSubItem, s->text);
          const std::size_t size =
              std::min(s->text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
          std::memcpy(item.pszText, s->text.data(), size);
          item.pszText[size] = '\0';
        }
        return TRUE;
      }
      if (header->code == NM_CUSTOMDRAW) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                          customDraw(*s, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
        return TRUE;
      }
      if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED))
          s->current = change->iItem;
        return TRUE;
      }
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      DestroyWindow(s->statusBar);
      DestroyWindow(dialog);
      delete s;
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace

void GridCell(int row, int column, std::string& text) {
  char cell[48];
  switch (column) {
    case 0:
      std::snprintf(cell, sizeof cell, "%02d/%02d/%04d", 1 + row % 28, 1 + row / 28 % 12,
                    2000 + row / 336 % 30);
      break;
    case 1:
      std::snprintf(cell, sizeof cell, "Libell\xE9 %d", row);
      break;
    default:
      std::snprintf(cell, sizeof cell, "-%d,%02d", row % 100000, row % 100);
      break;
  }
  text = cell;
}

HWND RawGridOpen(HWND owner, int rows) {
  auto* s = new Session;
  s->rows = rows;
  HWND dialog =
      RawDialogOpen(owner, "Zarvik Form", 10, 10, 580, 470, rawProc, reinterpret_cast<LPARAM>(s));
  if (dialog == nullptr) delete s;
  return dialog;
}

HWND RawGridList(HWND dialog) {
  return GetDlgItem(dialog, kListId);
}

void RawGridClose(HWND dialog) {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace bench
