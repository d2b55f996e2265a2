// A form moved to a monitor of another scale: its items are placed again at the new DPI and drawn
// there, and the graphics objects the toolkit holds come back to their count.
#include <gtest/gtest.h>

#include "form_test_host.h"

namespace {
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

struct Declared {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};
const Declared kItems[] = {
    {"titre", ZK_STATIC, 10, 10, 250, 41, "value=Titre;ftname=Arial;ftsize=14;brdsize=3"},
    {"cadre", ZK_RECT, 5, 60, 301, 97, "brdstyle=3DIN"},
    {"saisie", ZK_EDIT, 15, 70, 151, 25, "value=abc"},
    {"coche", ZK_CHECK, 15, 105, 21, 21, "check=true;brdsize=1"},
    {"bouton", ZK_BUTTON, 180, 105, 99, 33, "value=Bouton"},
    {"liste", ZK_COMBOSYS, 180, 70, 101, 100, "value1=un;value2=deux"},
};

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
  for (const Declared& d : kItems)
    ASSERT_EQ(
        ZK_FormItemAdd("fiche", d.name, d.kind, order++, d.x, d.y, d.width, d.height, d.properties),
        ZK_OK);
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
    for (const Declared& d : kItems) {
      const RECT place = placeIn(dialog, ZK_FormItemGet("fiche", d.name).hwnd);
      EXPECT_EQ(place.left, MulDiv(d.x, dpi, 96)) << d.name;
      EXPECT_EQ(place.top, MulDiv(d.y, dpi, 96)) << d.name;
      EXPECT_EQ(place.right - place.left, MulDiv(d.width, dpi, 96)) << d.name;
      // A combo box's height is the system's, from its font.
      if (d.kind != ZK_COMBOSYS)
        EXPECT_EQ(place.bottom - place.top, MulDiv(d.height, dpi, 96)) << d.name;
    }
    EXPECT_EQ(ZK_GdiCountIntl(), start);
  }
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
