// The grid's cell editor: an edit control over the current cell (a drop-down combo box for a
// choice), checked when it is left with the same checks and messages as EDIT items. A refused
// value keeps the editor open in its cell, the message in the status bar; Escape puts the cell
// back as it was. An accepted change raises CELLCHG, which the event procedure may veto.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

// A choice's drop-down list shows this many entries before it scrolls.
constexpr int kChoiceLines = 8;

bool isCombo(HWND window) {
  char name[16] = "";
  return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
         lstrcmpiA(name, "ComboBox") == 0;
}

std::string editorText(HWND editor) {
  const int length = GetWindowTextLengthA(editor);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(editor, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// The status bar's text before a refusal's message comes back when the edit ends.
void showMessage(ZK_Grid& grid, const std::string& message) {
  if (!grid.statusSaved) grid.statusSaved = ZK_FormStatusGetIntl(grid.form, &grid.statusBefore);
  if (!message.empty()) {
    ZK_FormStatusShowIntl(grid.form, message);
  } else if (!ZK_GridShowRemarkIntl(grid)) {
    // A wrong date has no message: the column's remark shows again, as for a date field. With
    // no remark the status bar would keep the application's text and the refusal go unsaid.
    ZK_FormStatusShowIntl(grid.form, ZK_FieldIncorrectTextIntl());
  }
}

void restoreStatus(ZK_Grid& grid) {
  if (!grid.statusSaved) return;
  ZK_FormStatusShowIntl(grid.form, grid.statusBefore);
  grid.statusSaved = false;
}

// The editor is hidden and let go at once, and destroyed once the message that closed it has
// been handled: it may be that message's own window.
void closeEditor(ZK_Grid& grid) {
  HWND editor = grid.editor;
  if (editor == nullptr) return;
  const bool focused =
      GetFocus() == editor || (grid.editorEdit != nullptr && GetFocus() == grid.editorEdit);
  ZK_GridWindowIntl(editor, nullptr);
  ZK_GridWindowIntl(grid.editorEdit, nullptr);
  grid.editor = nullptr;
  grid.editorEdit = nullptr;
  const int row = grid.editRow;
  grid.editRow = -1;
  grid.editColumn = -1;
  if (focused && grid.list != nullptr) SetFocus(grid.list);
  ShowWindow(editor, SW_HIDE);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  if (grid.list != nullptr && row >= 0) ListView_RedrawItems(grid.list, row, row);
}

// Keys of the editor: Enter keeps the cell, Tab and the arrows up and down move on once the value
// is taken, Escape cancels.
bool onKey(ZK_Grid& grid, const ZK_GridMessage& cause) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  int row = grid.row;
  int column = grid.column;
  const bool choice = grid.editorEdit != nullptr || isCombo(grid.editor);
  // An open drop-down list takes Enter and Escape itself (to take or drop the entry picked), and
  // a choice's arrows pick an entry.
  if (choice && SendMessageA(grid.editor, CB_GETDROPPEDSTATE, 0, 0) &&
      (cause.wParam == VK_RETURN || cause.wParam == VK_ESCAPE))
    return false;
  if (choice && (cause.wParam == VK_UP || cause.wParam == VK_DOWN)) return false;
  switch (cause.wParam) {
    case VK_ESCAPE:
      ZK_GridEditCancelIntl(grid);
      return true;
    case VK_RETURN:
      ZK_GridEditCommitIntl(grid, cause);
      return true;
    case VK_TAB: {
      const int step = shift ? -1 : 1;
      column = ZK_GridShownColumnIntl(grid, column + step, step);
      if (column < 0) {
        const int last = static_cast<int>(grid.columns.size()) - 1;
        column = ZK_GridShownColumnIntl(grid, shift ? last : 0, step);
        row += step;
      }
      break;
    }
    case VK_UP:
      --row;
      break;
    case VK_DOWN:
      ++row;
      break;
    default:
      return false;
  }
  if (!ZK_GridEditCommitIntl(grid, cause) || grid.forgotten) return true;
  if (row >= 0 && row < ZK_GridRowCountIntl(grid)) ZK_GridMoveIntl(grid, row, column, &cause);
  return true;
}

// The focus going to the editor itself, its combo box's edit or drop-down list stays in the edit.
bool withinEditor(const ZK_Grid& grid, HWND window) {
  if (window == nullptr) return false;
  if (window == grid.editor || window == grid.editorEdit) return true;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  return isCombo(grid.editor) && GetComboBoxInfo(grid.editor, &info) && window == info.hwndList;
}

LRESULT CALLBACK editProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  const ZK_GridVisit visit;
  ZK_Grid* grid = ZK_GridByWindowIntl(editor);
  if (grid == nullptr || (grid->editor != editor && grid->editorEdit != editor)) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(editor, editProc, 0);
    return DefSubclassProc(editor, message, wParam, lParam);
  }
  const ZK_GridMessage cause{message, wParam, lParam};
  switch (message) {
    case WM_GETDLGCODE:
      // Every key, Tab, Enter and Escape included, is the editor's own.
      return DefSubclassProc(editor, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (onKey(*grid, cause)) return 0;
      break;
    case WM_CHAR:
      if (wParam == '\r' || wParam == '\t' || wParam == 0x1B) return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(editor, message, wParam, lParam);
      // Leaving for another control of the application: the value is taken, or the editor stays
      // open without the focus, its message in the status bar, and takes the focus again when the
      // grid gets it back. The list's own clicks commit first; another program's window taking
      // the focus leaves the edit as it is, as switching programs should.
      HWND next = reinterpret_cast<HWND>(wParam);
      const bool ours =
          next != nullptr && GetWindowThreadProcessId(next, nullptr) == GetCurrentThreadId();
      if (ours && next != grid->list && !withinEditor(*grid, next))
        ZK_GridEditCommitIntl(*grid, cause);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(editor, editProc, 0);
      ZK_GridWindowIntl(editor, nullptr);
      if (editor == grid->editorEdit) {
        grid->editorEdit = nullptr;
        break;
      }
      grid->editor = nullptr;
      grid->editorEdit = nullptr;
      grid->editRow = -1;
      grid->editColumn = -1;
      break;
    default:
      break;
  }
  return DefSubclassProc(editor, message, wParam, lParam);
}

}  // namespace

namespace {

// The editor of a choice: a drop-down list of its entries, which takes typed text too when the
// column allows others; its own height holds the list.
HWND makeChoice(ZK_Grid& grid, const ZK_GridColumn& column, const RECT& cell) {
  const int height = cell.bottom - cell.top;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL |
                      (column.field.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", style, cell.left, cell.top,
                               cell.right - cell.left, height * (kChoiceLines + 1), grid.list,
                               nullptr, ZK_WindowStateIntl().instance, nullptr);
  if (combo == nullptr) return nullptr;
  SendMessageA(combo, WM_SETFONT, SendMessageA(grid.list, WM_GETFONT, 0, 0), FALSE);
  for (const std::string& entry : ZK_ChoicesIntl(column.field.properties))
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  if (column.field.editable) {
    SendMessageA(combo, CB_LIMITTEXT, static_cast<WPARAM>(std::max(0, column.field.length)), 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info)) grid.editorEdit = info.hwndItem;
  }
  return combo;
}

// What the editor shows first: the cell's text, or what was typed to open it.
void fillEditor(const ZK_Grid& grid, const std::string& typed) {
  HWND editor = grid.editor;
  const std::string& text = typed.empty() ? grid.editBefore : typed;
  if (!isCombo(editor)) {
    SetWindowTextA(editor, text.c_str());
    // Typing replaces the text and goes on after it; F2, Enter and the double-click select it.
    if (typed.empty()) {
      SendMessageA(editor, EM_SETSEL, 0, -1);
    } else {
      SendMessageA(editor, EM_SETSEL, text.size(), text.size());
    }
    return;
  }
  // A list's entry found as typed (its first letters), or the cell's own.
  const LPARAM wanted = reinterpret_cast<LPARAM>(text.c_str());
  const LRESULT found = typed.empty() ? SendMessageA(editor, CB_FINDSTRINGEXACT, -1, wanted)
                                      : SendMessageA(editor, CB_FINDSTRING, -1, wanted);
  SendMessageA(editor, CB_SETCURSEL, found == CB_ERR ? -1 : found, 0);
  if (grid.editorEdit != nullptr && (found == CB_ERR || !typed.empty())) {
    SetWindowTextA(grid.editorEdit, text.c_str());
    SendMessageA(grid.editorEdit, EM_SETSEL, typed.empty() ? 0 : text.size(),
                 static_cast<LPARAM>(text.size()));
  }
}

}  // namespace

bool ZK_GridEditOpenIntl(ZK_Grid& grid, const std::string& typed) {
  if (grid.editor != nullptr) return true;
  const int count = ZK_GridRowCountIntl(grid);
  if (grid.list == nullptr || grid.row < 0 || grid.row >= count || grid.column < 0 ||
      grid.column >= static_cast<int>(grid.columns.size()) || !IsWindowEnabled(grid.list))
    return false;
  const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(grid.column)];
  // A check box toggles instead; a hidden column has no cell to edit.
  if (!column.field.enabled || !column.field.visible || column.field.type == ZK_CHECK) return false;
  if (!ZK_GridMoveIntl(grid, grid.row, grid.column, nullptr)) return false;
  RECT cell = {};
  if (!ZK_GridCellRectIntl(grid, grid.row, grid.column, &cell)) return false;

  const std::string_view before =
      ZK_GridCellIntl(grid, grid.row, static_cast<std::size_t>(grid.column));
  grid.editBefore.assign(before.data(), before.size());
  HWND editor = nullptr;
  if (column.field.type == ZK_CHOICE) {
    editor = makeChoice(grid, column, cell);
  } else {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (column.field.textHPos == 0) style |= ES_CENTER;
    if (column.field.textHPos == 1) style |= ES_RIGHT;
    editor = CreateWindowExA(0, "EDIT", "", style, cell.left, cell.top, cell.right - cell.left,
                             cell.bottom - cell.top, grid.list, nullptr,
                             ZK_WindowStateIntl().instance, nullptr);
    if (editor != nullptr) {
      SendMessageA(editor, WM_SETFONT, SendMessageA(grid.list, WM_GETFONT, 0, 0), FALSE);
      SendMessageA(editor, EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, column.field.length)), 0);
    }
  }
  if (editor == nullptr) return false;
  grid.editor = editor;
  grid.editRow = grid.row;
  grid.editColumn = grid.column;
  fillEditor(grid, typed);
  ZK_GridWindowIntl(editor, &grid);
  SetWindowSubclass(editor, editProc, 0, 0);
  if (grid.editorEdit != nullptr) {
    ZK_GridWindowIntl(grid.editorEdit, &grid);
    SetWindowSubclass(grid.editorEdit, editProc, 0, 0);
  }
  SetFocus(editor);
  // A combo box selects its whole text as it takes the focus: what was typed to open it would go
  // at the next key.
  if (grid.editorEdit != nullptr && !typed.empty()) {
    const LPARAM end = GetWindowTextLengthA(grid.editorEdit);
    SendMessageA(grid.editorEdit, EM_SETSEL, static_cast<WPARAM>(end), end);
  }
  return true;
}

bool ZK_GridEditCommitIntl(ZK_Grid& grid, const ZK_GridMessage& cause) {
  if (grid.editor == nullptr) return true;
  const std::size_t columnIndex = static_cast<std::size_t>(grid.editColumn);
  if (grid.editRow < 0 || grid.editRow >= ZK_GridRowCountIntl(grid) ||
      columnIndex >= grid.columns.size()) {
    ZK_GridEditCancelIntl(grid);
    return true;
  }
  const ZK_FieldCheck check =
      ZK_FieldCheckIntl(grid.columns[columnIndex].field, editorText(grid.editor));
  if (check.refused) {
    showMessage(grid, check.message);
    return false;
  }
  const std::string text = check.rewrite ? check.shown : check.value.text;
  restoreStatus(grid);
  if (text == grid.editBefore) {
    closeEditor(grid);
    return true;
  }
  const std::string previous = grid.editBefore;
  const bool taken = ZK_GridCellChangeIntl(grid, grid.editRow, grid.editColumn, text, previous,
                                           check.value, cause);
  if (grid.forgotten) return true;
  // Vetoed: the editor stays, with what was typed, for the user to change or cancel.
  if (!taken && grid.editor != nullptr) return false;
  closeEditor(grid);
  return true;
}

bool ZK_GridCellChangeIntl(ZK_Grid& grid, int row, int column, const std::string& text,
                           const std::string& previous, const FieldValue& field,
                           const ZK_GridMessage& cause) {
  const std::size_t index = static_cast<std::size_t>(column);
  GridRecord& event = grid.event;  // read by ZK_FormGridGet during the event
  event = GridRecord{};
  event.eventRow = row;
  event.eventColumn = grid.columns[index].name;
  event.text = text;
  event.previous = previous;
  event.field = field;
  // A held cell takes the new text first, so that the event procedure reads the rows as they
  // now are (a total, say); a veto puts the old text back.
  const std::size_t slot = grid.columns[index].slot;
  const bool held = grid.cellProc == nullptr;
  if (held && !grid.rows.Set(static_cast<std::size_t>(row), slot, text)) return false;
  const int veto = ZK_GridRaiseIntl(grid, ZK_CELLCHG, cause);
  if (grid.forgotten) return veto == 0;
  if (veto != 0) {
    if (held && row < static_cast<int>(grid.rows.Count()))
      grid.rows.Set(static_cast<std::size_t>(row), slot, previous);
    return false;
  }
  if (grid.list != nullptr) ListView_RedrawItems(grid.list, row, row);
  return true;
}

void ZK_GridFormClosingIntl(const std::string& form) {
  const ZK_GridVisit visit;
  for (ZK_Grid* grid : ZK_GridsOfFormIntl(form)) {
    if (grid->editor == nullptr) continue;
    // Taken when it can be; a refused or vetoed value goes with the form.
    if (!ZK_GridEditCommitIntl(*grid, {WM_SYSCOMMAND, SC_CLOSE, 0}) && !grid->forgotten)
      ZK_GridEditCancelIntl(*grid);
  }
}

void ZK_GridEditCancelIntl(ZK_Grid& grid) {
  restoreStatus(grid);
  closeEditor(grid);
}

void ZK_GridEditPlaceIntl(const ZK_Grid& grid) {
  RECT cell = {};
  if (grid.editor == nullptr) return;
  if (!ZK_GridCellRectIntl(grid, grid.editRow, grid.editColumn, &cell)) return;
  // A choice's box is as high as its drop-down list too.
  const int lines = isCombo(grid.editor) ? kChoiceLines + 1 : 1;
  SetWindowPos(grid.editor, nullptr, cell.left, cell.top, cell.right - cell.left,
               (cell.bottom - cell.top) * lines, SWP_NOZORDER | SWP_NOACTIVATE);
}
