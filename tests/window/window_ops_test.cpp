// Window operations read back from the platform: placement limits, titles, the toolkit reset.
#include "forms/forms_intl.h"
#include "window_test_support.h"

namespace {

// A form-like child of the main window, registered under "form" at 30, 40.
HWND registerChild() {
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 30, 40, 100, 50, wt::mainHwnd(), nullptr,
                               ZK_WindowStateIntl().instance, nullptr);
  WindowRecord record = ZK_WindowDefaultIntl();
  record.hwnd = child;
  record.x = 30;
  record.y = 40;
  ZK_WindowStoreIntl("form", record);
  return child;
}

RECT placedInParent(HWND child) {
  RECT placed = {};
  GetWindowRect(child, &placed);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&placed), 2);
  return placed;
}

}  // namespace

TEST(WindowMove, KeepsAFormInsideTheMainClientArea) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  RECT client = {};
  GetClientRect(wt::mainHwnd(), &client);
  const int R = client.right;
  const int B = client.bottom;
  const struct {
    int x, y, width, height;
    int wantX, wantY, wantWidth, wantHeight;
  } cases[] = {
      {10, 20, 200, 100, 10, 20, 200, 100},      // inside: kept
      {-5, -1, 200, 100, 30, 40, 200, 100},      // negative origin keeps the previous one
      {R, B, 200, 100, 30, 40, 200, 100},        // origin on the far edge keeps it too
      {R - 1, B - 1, 0, 0, R - 1, B - 1, R, B},  // no size: the whole client area
      {5, 5, R + 1, B + 1, 5, 5, R, B},          // too large: clamped to the client area
      {5, 5, R, B, 5, 5, R, B},
  };
  for (const auto& c : cases) {
    HWND child = registerChild();
    EXPECT_EQ(ZK_WindowMove("form", c.x, c.y, c.width, c.height), 0);
    const WindowRecord record = ZK_WindowLookupIntl("form");
    EXPECT_EQ(record.x, c.wantX) << c.x;
    EXPECT_EQ(record.y, c.wantY) << c.y;
    EXPECT_EQ(record.width, c.wantWidth) << c.width;
    EXPECT_EQ(record.height, c.wantHeight) << c.height;
    const RECT placed = placedInParent(child);
    EXPECT_EQ(placed.left, c.wantX);
    EXPECT_EQ(placed.top, c.wantY);
    EXPECT_EQ(placed.right - placed.left, c.wantWidth);
    EXPECT_EQ(placed.bottom - placed.top, c.wantHeight);
    EXPECT_TRUE(IsWindowVisible(child));
    DestroyWindow(child);
  }
  EXPECT_TRUE(wt::reported().empty());
}

TEST(WindowMove, StatusesAndErrorContext) {
  wt::answerReportsNo();
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowMove("nobody", 0, 0, 10, 10), 4);
  wt::expectContext("nobody", "ZK_WindowMove");

  // A form while no main window exists.
  WindowRecord orphan = ZK_WindowDefaultIntl();
  orphan.hwnd = GetDesktopWindow();
  ZK_WindowStoreIntl("form", orphan);
  EXPECT_EQ(ZK_WindowMove("form", 0, 0, 10, 10), 4);
  EXPECT_EQ(ZK_WindowLookupIntl("form").width, 0);  // nothing stored

  ASSERT_EQ(wt::createMain(), 0);
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowMove("Main", 1, 2, 300, 200), 0);
  wt::expectContext("caller", "ZK_Caller");
  EXPECT_EQ(wt::reported(), (std::vector<int>{4, 4}));
}

TEST(WindowTitleSet, StatusesTitleAndContext) {
  wt::answerReportsNo();
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowTitleSet("", "x"), 1);
  wt::expectContext("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowTitleSet("nobody", "x"), 4);
  wt::expectContext("nobody", "ZK_WindowTitleSet");
  EXPECT_TRUE(wt::reported().empty());  // 1 and 4 are returned, not reported

  ASSERT_EQ(wt::createMain(), 0);
  EXPECT_EQ(ZK_WindowTitleSet("Main", ""), 0);
  EXPECT_EQ(wt::windowText(wt::mainHwnd()), "Velmo v1.1");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, "Velmo v1.1");
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowTitleSet("Main", "D\xE9mo"), 0);
  EXPECT_EQ(wt::windowText(wt::mainHwnd()), "D\xE9mo");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, "D\xE9mo");
  wt::expectContext("caller", "ZK_Caller");
}

TEST(ResetZarvik, EmptiesEveryTableAndName) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  ASSERT_EQ(ZK_MenuAdd("menu", "fichier", 1, 1, "&Fichier", ""), 0);
  ZK_ItemStoreIntl(ZK_ItemKeyIntl("form", "champ1"), ZK_ItemEmptyIntl());
  ZK_WindowStateIntl().activeFormName = "form";
  ZK_ContextSetIntl("caller", "ZK_Caller");

  EXPECT_EQ(ZK_ResetZarvikIntl(), 0);
  EXPECT_TRUE(ZK_WindowRegistryIntl().empty());
  EXPECT_TRUE(ZK_MenuTableIntl().empty());
  EXPECT_TRUE(ZK_ItemTableIntl().empty());
  EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "");
  EXPECT_EQ(ZK_WindowCurrentIntl(), "");
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "");
  EXPECT_TRUE(ZK_WindowStateIntl().ready);
  EXPECT_EQ(ZK_WindowStateIntl().instance, GetModuleHandleA(nullptr));
  wt::expectContext("caller", "ZK_Caller");
  // The window itself is not destroyed, and the status bar class is there for forms.
  EXPECT_TRUE(IsWindow(FindWindowA("Main", nullptr)));
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetClassInfoExA(nullptr, "msctls_statusbar32", &info));
}
