// What a drawn item leaves to the controls around it: the rule on placed rectangles (against a
// plain walk of every pair on generated forms), and on real controls, read back by their pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "item_test_host.h"

using item_test::Dialog;
using item_test::kForm;
using item_test::Reports;

namespace {

std::vector<RECT> sorted(std::vector<RECT> rects) {
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) {
    return std::tie(a.left, a.top, a.right, a.bottom) < std::tie(b.left, b.top, b.right, b.bottom);
  });
  return rects;
}

// Every pair, by the rule as the painter's comment gives it.
std::vector<std::vector<RECT>> everyPair(const std::vector<ZK_ControlPlace>& places) {
  std::vector<std::vector<RECT>> leftOut(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    const RECT& own = places[i].rect;
    if (!places[i].drawn) continue;
    for (std::size_t j = 0; j < places.size(); ++j) {
      const RECT& other = places[j].rect;
      RECT common = {};
      if (i == j || !IntersectRect(&common, &own, &other)) continue;
      RECT both = {};
      UnionRect(&both, &own, &other);
      if (EqualRect(&both, &other)) continue;  // it encloses this one
      if (!EqualRect(&both, &own) && places[j].drawn) continue;
      OffsetRect(&common, -own.left, -own.top);
      leftOut[i].push_back(common);
    }
  }
  return leftOut;
}

HWND add(HWND dialog, const std::string& item, const std::string& kind, int order, RECT place,
         const std::string& properties) {
  EXPECT_EQ(ZK_FormItemAdd(kForm, item, kind, order, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, properties),
            ZK_OK);
  EXPECT_EQ(ZK_FormCreateItem(dialog, kForm, item), ZK_OK);
  return ZK_FormItemGet(kForm, item).hwnd;
}

// The pixels of a control's rectangle as the dialog shows them, copied out in one piece.
std::vector<DWORD> pixelsOf(HWND dialog, HWND control) {
  RECT box = {};
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  HDC window = GetDC(dialog);
  HDC memory = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, window, box.left, box.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(dialog, window);
  return pixels;
}

COLORREF pixelAt(HWND dialog, int x, int y) {
  HDC dc = GetDC(dialog);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(dialog, dc);
  return colour;
}

void repaint(HWND control) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  item_test::pump();
}

}  // namespace

TEST(ItemOverlap, GeneratedFormsGiveWhatAWalkOfEveryPairGives) {
  std::mt19937 random(23);
  for (const int count : {1, 7, 60, 400}) {
    for (const int spread : {80, 700, 40000}) {
      SCOPED_TRACE(std::to_string(count) + " places over " + std::to_string(spread));
      std::uniform_int_distribution<int> at(-spread / 4, spread);
      std::uniform_int_distribution<int> size(0, 160);
      std::vector<ZK_ControlPlace> places;
      for (int i = 0; i < count; ++i) {
        const int x = at(random);
        const int y = at(random);
        places.push_back({{x, y, x + size(random), y + size(random) / 3}, i % 3 != 0});
      }
      // Some in the same spot, frames around others, and empty ones.
      for (int i = 0; i + 1 < count; i += 9) places[static_cast<std::size_t>(i) + 1] = places[i];
      for (int i = 2; i < count; i += 11)
        InflateRect(&places[static_cast<std::size_t>(i)].rect, 90, 60);
      const auto found = ZK_ItemOverlapsIntl(places);
      const auto expected = everyPair(places);
      ASSERT_EQ(found.size(), expected.size());
      for (std::size_t i = 0; i < found.size(); ++i) {
        const std::vector<RECT> a = sorted(found[i]);
        const std::vector<RECT> b = sorted(expected[i]);
        ASSERT_EQ(a.size(), b.size()) << i;
        for (std::size_t k = 0; k < a.size(); ++k) EXPECT_TRUE(EqualRect(&a[k], &b[k])) << i;
      }
    }
  }
}

// A label that reaches over a combo box, repainted alone, leaves the combo box as it was; once the
// combo box is hidden, the label paints that part again.
TEST(ItemOverlap, ARepaintedLabelLeavesTheComboBoxItReachesOver) {
  Reports reports;
  Dialog dialog;
  HWND label =
      add(dialog.hwnd(), "police", ZK_STATIC, 1, {10, 10, 190, 35}, "value=Police;txvpos=center");
  HWND combo = add(dialog.hwnd(), "cbpolice", ZK_COMBOSYS, 2, {130, 10, 290, 110},
                   "value1=Arial;value2=Courier New");
  repaint(dialog.hwnd());
  RedrawWindow(dialog.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  item_test::pump();
  const std::vector<DWORD> before = pixelsOf(dialog.hwnd(), combo);
  ASSERT_FALSE(before.empty());
  repaint(label);
  EXPECT_EQ(pixelsOf(dialog.hwnd(), combo), before);

  RECT box = {};
  GetWindowRect(combo, &box);
  MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_NE(pixelAt(dialog.hwnd(), box.left + 20, box.top + 5), RGB(0, 128, 128));
  ASSERT_EQ(ZK_FormItemSet(kForm, "cbpolice", ZK_VISIBLE, "false"), ZK_OK);
  item_test::pump();
  repaint(label);
  EXPECT_EQ(pixelAt(dialog.hwnd(), box.left + 20, box.top + 5), RGB(0, 128, 128));
  EXPECT_EQ(reports.count(), 0u);
}

// Every item control is hooked once, its entry gone with it; a move, or a control shown or
// hidden, makes the painters find their siblings again, and a repaint alone does not.
TEST(ItemHook, ControlsAreHookedOnceAndForgottenWithTheirPlaces) {
  Reports reports;
  Dialog dialog;
  const ZK_FormsState& state = ZK_FormsStateIntl();
  const std::size_t before = state.controls.size();
  const char* kinds[] = {ZK_STATIC, ZK_RECT,     ZK_EDIT,  ZK_BUTTONSYS,
                         ZK_BUTTON, ZK_CHECKSYS, ZK_CHECK, ZK_COMBOSYS};
  std::vector<HWND> controls;
  int order = 1;
  for (const char* kind : kinds) {
    const std::string name = std::string("i") + std::to_string(order);
    controls.push_back(
        add(dialog.hwnd(), name, kind, order, {0, 30 * order, 100, 30 * order + 25}, "value1=un"));
    ++order;
  }
  EXPECT_EQ(state.controls.size(), before + controls.size());
  for (HWND control : controls) ASSERT_NE(ZK_ItemControlIntl(control), nullptr);
  // A second hook changes nothing, and messages reach the control as before.
  ZK_ItemHookIntl(controls[0]);
  EXPECT_EQ(state.controls.size(), before + controls.size());
  EXPECT_EQ(SendMessageA(controls[0], WM_GETTEXTLENGTH, 0, 0), 2);
  EXPECT_EQ(SendMessageA(controls[7], CB_GETCOUNT, 0, 0), 1);

  std::uint64_t version = state.placesVersion;
  repaint(controls[1]);
  EXPECT_EQ(state.placesVersion, version);
  MoveWindow(controls[1], 5, 35, 90, 20, TRUE);
  EXPECT_NE(state.placesVersion, version);
  version = state.placesVersion;
  ShowWindow(controls[2], SW_HIDE);
  EXPECT_NE(state.placesVersion, version);
  version = state.placesVersion;
  SetWindowPos(controls[3], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(state.placesVersion, version);

  for (HWND control : controls) DestroyWindow(control);
  EXPECT_EQ(state.controls.size(), before);
  EXPECT_EQ(reports.count(), 0u);
}
