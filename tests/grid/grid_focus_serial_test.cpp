// What the grid keeps of the list between moves: the selection the list changed itself, the
// anchor of its Shift+click, and the current cell's frame repainted after a scroll. Serial: the
// frame is drawn only while the grid has the keyboard focus, which another program's window
// opening on a shared desktop would take.
#include <gtest/gtest.h>

#include <string>

#include "forms/form_test_host.h"
#include "grid/grid_intl.h"

namespace {
using form_test::pump;
using form_test::Reports;
using form_test::Toolkit;

constexpr char kForm[] = "fiche";
constexpr char kGrid[] = "grille";

int noEvent(std::string, std::string, std::string, HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

int cellOf(const std::string&, const std::string&, int row, const std::string& column,
           std::string& text) {
  text = column.substr(0, 1) + std::to_string(row);
  return 0;
}

HWND list() {
  return ZK_FormItemGet(kForm, kGrid).hwnd;
}

void key(WPARAM virtualKey) {
  SendMessageA(list(), WM_KEYDOWN, virtualKey, 0);
  pump();
}

void click(int row, WPARAM modifiers) {
  RECT cell = {};
  ListView_GetSubItemRect(list(), row, 0, LVIR_LABEL, &cell);
  const LPARAM at = MAKELPARAM(cell.left + 5, (cell.top + cell.bottom) / 2);
  SendMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON | modifiers, at);
  SendMessageA(list(), WM_LBUTTONUP, modifiers, at);
  pump();
}

// Pixels of the window text colour down the inner left edge of a row's first cell: the current
// cell's frame is two pixels wide, the list's focus rectangle one, dotted.
int frameEdge(int row) {
  RECT cell = {};
  ListView_GetSubItemRect(list(), row, 0, LVIR_LABEL, &cell);
  HDC dc = GetDC(list());
  int count = 0;
  for (int y = cell.top + 2; y < cell.bottom - 2; ++y)
    count += GetPixel(dc, cell.left + 1, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
  ReleaseDC(list(), dc);
  return count;
}

TEST(GridFocus, MovesFollowTheListsOwnSelectionAnchorAndRepaint) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd(kForm, kGrid, ZK_DATAGRID, 1, 10, 10, 400, 200, ""), 0);
  ASSERT_EQ(
      ZK_FormGridColumnAdd(kForm, kGrid, "date", 1, 120, "date", "type=date;format=dd/mm/yyyy"), 0);
  ASSERT_EQ(ZK_FormGridColumnAdd(kForm, kGrid, "libelle", 2, 120, "libelle", ""), 0);
  ASSERT_EQ(ZK_FormGridVirtual(kForm, kGrid, 1000000, cellOf), 0);
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 440, 300, noEvent), 0);
  SetForegroundWindow(GetAncestor(list(), GA_ROOT));
  SetFocus(list());
  pump();
  ASSERT_EQ(GetFocus(), list());
  const int page = ListView_GetCountPerPage(list());
  ASSERT_GT(page, 3);
  struct Step {
    const char* what;
    WPARAM key;        // a key, or 0 for a click
    int clicked;       // the row clicked...
    WPARAM modifiers;  // ... with these keys
    int selected;      // rows selected after it
    int row;           // the current row
  };
  const Step steps[] = {
      {"Ctrl+click adds a row", 0, 2, MK_CONTROL, 2, 2},
      {"Page Down leaves the new row alone selected", VK_NEXT, 0, 0, 1, page - 1},
      {"Shift+click extends from the row Page Down chose", 0, 1, MK_SHIFT, page - 1, 1},
      {"Page Down again", VK_NEXT, 0, 0, 1, page - 1},
      {"a page further, scrolled", VK_NEXT, 0, 0, 1, 2 * page - 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.key != 0) {
      key(step.key);
    } else {
      click(step.clicked, step.modifiers);
    }
    UpdateWindow(list());
    EXPECT_EQ(static_cast<int>(ListView_GetSelectedCount(list())), step.selected);
    EXPECT_EQ(ListView_GetNextItem(list(), -1, LVNI_FOCUSED), step.row);
    EXPECT_EQ(ZK_FormGridGet(kForm, kGrid).row, step.row);
    EXPECT_GT(frameEdge(step.row), 5) << "the current cell framed";
    if (step.key == VK_NEXT) {
      EXPECT_EQ(frameEdge(step.row - 1), 0) << "the row above not";
    }
  }
  // Without the focus, no frame.
  SetFocus(nullptr);
  RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(frameEdge(2 * page - 1), 0);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
