// A form moved to a monitor of another scale: its items are placed again at the new DPI and drawn
// there, and the graphics objects the toolkit holds come back to their count.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "form_test_host.h"

namespace {
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

// Kind, name and properties, then place and size: odd numbers, to see the rounding.
const std::pair<std::array<const char*, 3>, std::array<int, 4>> kItems[] = {
    {{ZK_STATIC, "titre", "value=Titre;ftname=Arial;ftsize=14;brdsize=3"}, {10, 10, 250, 41}},
    {{ZK_RECT, "cadre", "brdstyle=3DIN"}, {5, 60, 301, 97}},
    {{ZK_EDIT, "saisie", "value=abc"}, {15, 70, 151, 25}},
    {{ZK_CHECK, "coche", "check=true;brdsize=1"}, {15, 105, 21, 21}},
    {{ZK_BUTTON, "bouton", "value=Bouton"}, {180, 105, 99, 33}},
    {{ZK_COMBOSYS, "liste", "value1=un;value2=deux"}, {180, 70, 101, 100}},
    {{ZK_DATAGRID, "grille", ""}, {10, 180, 301, 91}},
};
constexpr int kColumnWidth = 101;

RECT placeIn(HWND dialog, HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(FormDpi, ItemsArePlacedAgainAtEachScaleAndNothingIsKept) {
  Reports reports;
  Toolkit toolkit;
  int order = 1;
  for (const auto& [text, place] : kItems)
    ASSERT_EQ(ZK_FormItemAdd("fiche", text[1], text[0], order++, place[0], place[1], place[2],
                             place[3], text[2]),
              ZK_OK);
  ASSERT_EQ(ZK_FormGridColumnAdd("fiche", "grille", "date", 1, kColumnWidth, "Date", ""), ZK_OK);
  ASSERT_EQ(ZK_FormCreate("fiche", "modal=false", 10, 10, 400, 300, nullptr), ZK_OK);
  HWND dialog = dialogOf("fiche");
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const long start = ZK_GdiCountIntl();

  for (const int dpi : {144, 120, 192, 96}) {
    SCOPED_TRACE(dpi);
    RECT window = {};
    GetWindowRect(dialog, &window);
    RECT suggested = {window.left, window.top, window.left + MulDiv(400, dpi, 96),
                      window.top + MulDiv(300, dpi, 96)};
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GetWindowRect(dialog, &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    for (const auto& [text, declared] : kItems) {
      const RECT place = placeIn(dialog, ZK_FormItemGet("fiche", text[1]).hwnd);
      EXPECT_EQ(place.left, MulDiv(declared[0], dpi, 96)) << text[1];
      EXPECT_EQ(place.top, MulDiv(declared[1], dpi, 96)) << text[1];
      EXPECT_EQ(place.right - place.left, MulDiv(declared[2], dpi, 96)) << text[1];
      // A combo box's height is the system's, from its font.
      if (text[0] != std::string(ZK_COMBOSYS)) {
        EXPECT_EQ(place.bottom - place.top, MulDiv(declared[3], dpi, 96)) << text[1];
      }
    }
    EXPECT_EQ(ListView_GetColumnWidth(ZK_FormItemGet("fiche", "grille").hwnd, 0),
              MulDiv(kColumnWidth, dpi, 96));
    EXPECT_EQ(ZK_GdiCountIntl(), start);
  }
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
