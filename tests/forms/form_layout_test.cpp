// Anchored layout: items keep their distances to the edges they are anchored to when the form is
// resized by the program, held at its smallest size, moved to another scale, or filling the main
// window; items placed again at run time; anchor words read or refused.
#include <gtest/gtest.h>

#include <string>

#include "form_test_host.h"

namespace {
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

constexpr char kForm[] = "fiche";

struct Placed {
  const char* name;
  const char* kind;
  RECT declared;  // left, top, width, height
  const char* anchor;
  RECT grown;  // left, top, width, height once the form is 100 wider and 60 taller
};
const Placed kItems[] = {
    {"fixe", ZK_EDIT, {10, 10, 100, 22}, "", {10, 10, 100, 22}},
    {"droite", ZK_BUTTON, {290, 10, 80, 24}, "right", {390, 10, 80, 24}},
    {"large", ZK_EDIT, {10, 40, 360, 22}, "left,right", {10, 40, 460, 22}},
    {"grille", ZK_DATAGRID, {10, 70, 360, 120}, "left top right bottom", {10, 70, 460, 180}},
    {"bas", ZK_EDIT, {10, 200, 100, 22}, "BOTTOM", {10, 260, 100, 22}},
    {"coin", ZK_BUTTON, {290, 200, 80, 24}, "right,bottom", {390, 260, 80, 24}},
};

void open(const std::string& properties, int width = 400, int height = 300) {
  int order = 1;
  for (const Placed& item : kItems) {
    ASSERT_EQ(ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.declared.left,
                             item.declared.top, item.declared.right, item.declared.bottom,
                             std::string("anchor=") + item.anchor),
              ZK_OK);
  }
  ASSERT_EQ(ZK_FormGridColumnAdd(kForm, "grille", "a", 1, 100, "A", ""), ZK_OK);
  ASSERT_EQ(ZK_FormCreate(kForm, properties, 10, 10, width, height, nullptr), ZK_OK);
}

// Left, top, width and height of an item's control in its form's client area.
RECT placeOf(const std::string& item) {
  HWND control = ZK_FormItemGet(kForm, item).hwnd;
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The form's client area less its status bar.
SIZE areaOf(HWND dialog) {
  RECT client = {};
  RECT bar = {};
  GetClientRect(dialog, &client);
  GetWindowRect(ZK_WindowLookupIntl(kForm).statusBarHwnd, &bar);
  return {client.right, client.bottom - (bar.bottom - bar.top)};
}

void expectPlace(const std::string& item, const RECT& expected) {
  const RECT place = placeOf(item);
  EXPECT_EQ(place.left, expected.left) << item;
  EXPECT_EQ(place.top, expected.top) << item;
  EXPECT_EQ(place.right, expected.right) << item;
  EXPECT_EQ(place.bottom, expected.bottom) << item;
}

}  // namespace

TEST(FormLayout, AnchoredItemsFollowTheFormsSizeDownToItsSmallest) {
  Reports reports;
  Toolkit toolkit;
  open("minsize=300,220");
  HWND dialog = dialogOf(kForm);
  const SIZE declared = areaOf(dialog);
  for (const Placed& item : kItems) expectPlace(item.name, item.declared);
  ASSERT_EQ(ZK_WindowMove(kForm, 10, 10, 500, 360), ZK_OK);
  for (const Placed& item : kItems) expectPlace(item.name, item.grown);

  // Below its smallest size the frame stops; the items follow the frame as it is.
  ASSERT_EQ(ZK_WindowMove(kForm, 10, 10, 100, 100), ZK_OK);
  RECT frame = {};
  GetWindowRect(dialog, &frame);
  EXPECT_EQ(frame.right - frame.left, 300);
  EXPECT_EQ(frame.bottom - frame.top, 220);
  expectPlace("coin", {190, 120, 80, 24});
  expectPlace("large", {10, 40, 260, 22});

  // At 150 %, from the declared size (the frame, caption and status bar are the system's): items
  // at the left and top where the new scale puts them, the distances to the right and bottom
  // edges the declared ones at that scale (each rounded once).
  ASSERT_EQ(ZK_WindowMove(kForm, 10, 10, 400, 300), ZK_OK);
  GetWindowRect(dialog, &frame);
  RECT suggested = {frame.left, frame.top, frame.left + 600, frame.top + 450};
  SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  const SIZE area = areaOf(dialog);
  for (const Placed& item : kItems) {
    SCOPED_TRACE(item.name);
    const RECT place = placeOf(item.name);
    const std::string anchor = item.anchor;
    const bool right = anchor.find("right") != std::string::npos;
    const bool bottom = anchor.find_first_of("bB") != std::string::npos;
    if (!right) {
      EXPECT_EQ(place.left, MulDiv(item.declared.left, 144, 96));
    }
    if (!bottom) {
      EXPECT_EQ(place.top, MulDiv(item.declared.top, 144, 96));
    }
    const int rightGap = declared.cx - item.declared.left - item.declared.right;
    const int bottomGap = declared.cy - item.declared.top - item.declared.bottom;
    if (right) {
      EXPECT_NEAR(area.cx - place.left - place.right, MulDiv(rightGap, 144, 96), 2);
    }
    if (bottom) {
      EXPECT_NEAR(area.cy - place.top - place.bottom, MulDiv(bottomGap, 144, 96), 2);
    }
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormLayout, ItemsArePlacedAgainAtRunTime) {
  Reports reports;
  Toolkit toolkit;
  open("");
  ASSERT_EQ(ZK_WindowMove(kForm, 10, 10, 500, 360), ZK_OK);
  // A place for the form at its declared size: empty parts stay.
  EXPECT_EQ(ZK_FormItemSet(kForm, "fixe", "place", "20,,150"), ZK_OK);
  expectPlace("fixe", {20, 10, 150, 22});
  EXPECT_EQ(ZK_FormItemGet(kForm, "fixe").x, 20);
  EXPECT_EQ(ZK_FormItemGet(kForm, "fixe").width, 150);
  // Anchored to the right now: it moves with the form's growth since it opened.
  EXPECT_EQ(ZK_FormItemSet(kForm, "fixe", ZK_ANCHOR, "right"), ZK_OK);
  expectPlace("fixe", {120, 10, 150, 22});
  EXPECT_EQ(ZK_FormItemGet(kForm, "fixe").anchor, kAnchorRight);
  EXPECT_EQ(ZK_FormItemSet(kForm, "coin", ZK_PLACE, "0,0,50,20"), ZK_OK);
  expectPlace("coin", {100, 60, 50, 20});
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormLayout, ABorderlessFormFillsTheMainWindowAndItsItemTheFormAboveTheStatusBar) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd(kForm, "tout", ZK_EDIT, 1, 0, 0, 10, 10, "anchor=fill"), ZK_OK);
  ASSERT_EQ(ZK_FormCreate(kForm, "edge=false;fill=yes", 0, 0, 200, 100, nullptr), ZK_OK);
  HWND dialog = dialogOf(kForm);
  for (const SIZE size : {SIZE{800, 600}, SIZE{640, 480}}) {
    SetWindowPos(toolkit.main(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    // What the application's window procedure hands the toolkit.
    ZK_WindowMessageAuto(WM_SIZE, SIZE_RESTORED);
    RECT main = {};
    RECT form = {};
    GetClientRect(toolkit.main(), &main);
    GetClientRect(dialog, &form);
    EXPECT_EQ(form.right, main.right);
    EXPECT_EQ(form.bottom, main.bottom);
    const SIZE area = areaOf(dialog);
    expectPlace("tout", {0, 0, area.cx, area.cy});
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormLayout, AnchorWordsAreReadOrRefused) {
  Reports reports;
  Toolkit toolkit;
  int edges = -1;
  EXPECT_TRUE(ZK_AnchorReadIntl("Left Top, RIGHT bottom", &edges));
  EXPECT_EQ(edges, kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
  // A word none of them: refused when declared, the known ones kept for a change.
  EXPECT_FALSE(ZK_AnchorReadIntl("rigth,bottom", &edges));
  EXPECT_EQ(edges, kAnchorBottom);
  EXPECT_EQ(ZK_FormItemAdd(kForm, "x", ZK_EDIT, 1, 0, 0, 10, 10, "anchor=rigth"), ZK_ERR_ANCHOR);
  EXPECT_EQ(support::reportedCodes(), std::vector<int>{ZK_ERR_ANCHOR});
  EXPECT_TRUE(ZK_FormItemGet(kForm, "x").kind.empty());
}
