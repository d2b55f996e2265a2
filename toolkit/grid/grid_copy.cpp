// Ctrl+C in a grid: the selected rows (or the current one) on the clipboard as tab-separated text,
// one line per row, as spreadsheets paste it; a cell holding a tab, a line break or a quote is
// quoted, its quotes doubled. Both as text of the program's code page and as Unicode text.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "grid/grid_intl.h"

namespace {
// The program's code page: 1252, or UTF-8 when its manifest declares it.
constexpr UINT kTextCodePage = CP_ACP;

void appendCell(std::string& out, std::string_view cell) {
  if (cell.find_first_of("\t\r\n\"") == std::string_view::npos) {
    out.append(cell.data(), cell.size());
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A movable global block holding the bytes, for SetClipboardData; null when none could be had.
HGLOBAL globalCopy(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* at = GlobalLock(block);
  if (at == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes, size);
  GlobalUnlock(block);
  return block;
}

// The clipboard owns a block once it took it; one it refused is freed here.
void put(UINT format, HGLOBAL block) {
  if (block != nullptr && SetClipboardData(format, block) == nullptr) GlobalFree(block);
}

}  // namespace

bool ZK_GridCopyIntl(ZK_Grid& grid) {
  if (grid.list == nullptr || grid.columns.empty()) return false;
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(grid.list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(grid.list, row, LVNI_SELECTED))
    rows.push_back(row);
  if (rows.empty() && grid.row >= 0) rows.push_back(grid.row);
  if (rows.empty()) return false;

  std::string text;
  for (int row : rows) {
    bool first = true;
    for (std::size_t column = 0; column < grid.columns.size(); ++column) {
      // What the user sees: a hidden column is left out, as a paste passes it by.
      if (!grid.columns[column].field.visible) continue;
      if (!first) text += '\t';
      first = false;
      appendCell(text, ZK_GridCellIntl(grid, row, column));
      if (grid.forgotten) return false;
    }
    text += "\r\n";
  }
  const int wideSize = MultiByteToWideChar(kTextCodePage, 0, text.c_str(),
                                           static_cast<int>(text.size()) + 1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideSize > 0 ? wideSize : 1), L'\0');
  if (wideSize > 0)
    MultiByteToWideChar(kTextCodePage, 0, text.c_str(), static_cast<int>(text.size()) + 1, &wide[0],
                        wideSize);

  if (!OpenClipboard(grid.list)) return false;
  EmptyClipboard();
  put(CF_TEXT, globalCopy(text.c_str(), text.size() + 1));
  put(CF_UNICODETEXT, globalCopy(wide.c_str(), wide.size() * sizeof(wchar_t)));
  CloseClipboard();
  return true;
}
