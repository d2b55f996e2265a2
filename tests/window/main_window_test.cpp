// The main window as the platform sees it: class, caption, style, background, placement, statuses.
#include "window_test_support.h"

namespace {

COLORREF classBrushColour(HWND window) {
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
  LOGBRUSH pattern = {};
  if (brush == nullptr || GetObjectA(brush, sizeof pattern, &pattern) == 0) return 0xFFFFFFFF;
  return pattern.lbColor;
}

// Forgets the main window so that another one can be made in the same process.
void forgetMain() {
  DestroyWindow(wt::mainHwnd());
  ZK_ResetZarvikIntl();
}

// What the class still held when it was unregistered: the class deletes its own brush then.
decltype(&UnregisterClassA) gUnregisterClass = nullptr;
bool gBrushAliveAtUnregister = false;
HBRUSH gClassBrush = nullptr;

BOOL WINAPI unregisterWatched(LPCSTR className, HINSTANCE instance) {
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  if (GetClassInfoExA(instance, className, &info)) {
    gClassBrush = info.hbrBackground;
    gBrushAliveAtUnregister = GetObjectType(gClassBrush) == OBJ_BRUSH;
  }
  return gUnregisterClass(className, instance);
}

LRESULT CALLBACK refusingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return FALSE;  // makes CreateWindowExA fail
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(MainWindowCreate, GivesClassCaptionStyleAndRecord) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  HWND window = wt::mainHwnd();
  ASSERT_NE(window, nullptr);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "Main");
  EXPECT_EQ(wt::windowText(window), "Velmo v1.1");
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & 0x00CF0000, 0x00CF0000);
  EXPECT_TRUE(IsWindowVisible(window));

  const WindowRecord record = ZK_WindowLookupIntl("Main");
  EXPECT_EQ(record.title, "Velmo v1.1");
  EXPECT_EQ(record.properties, "name=Velmo v1.1");
  EXPECT_TRUE(record.resizable);
  EXPECT_EQ(record.backColour, 0xFFFFFFu);
  EXPECT_EQ(record.backBrush,
            reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
  EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "Main");
  EXPECT_EQ(ZK_WindowCurrentIntl(), "Main");
  EXPECT_TRUE(ZK_WindowStateIntl().ready);
  EXPECT_EQ(ZK_GdiCountIntl(), 1);  // the background brush lives as long as the program
  wt::expectContext("Main", "ZK_WindowMainCreate");
  EXPECT_TRUE(wt::reported().empty());
}

TEST(MainWindowCreate, ResizeChoosesTheFrame) {
  wt::answerReportsNo();
  const struct {
    const char* properties;
    LONG style;
  } cases[] = {
      {"resize=no", 0x00CA0000}, {"resize=F", 0x00CA0000},     {"resize=yes", 0x00CF0000},
      {"", 0x00CF0000},          {"resize=maybe", 0x00CF0000}, {"RESIZE= false ", 0x00CA0000},
  };
  int row = 0;
  for (const auto& c : cases) {
    const std::string name = "Frame" + std::to_string(row++);
    ASSERT_EQ(wt::createMain(name, c.properties), 0) << c.properties;
    EXPECT_EQ(GetWindowLongA(wt::mainHwnd(), GWL_STYLE) & 0x00CF0000, c.style) << c.properties;
    EXPECT_EQ(ZK_WindowLookupIntl(name).resizable, c.style == 0x00CF0000) << c.properties;
    forgetMain();
  }
  EXPECT_TRUE(wt::reported().empty());
}

TEST(MainWindowCreate, BackgroundBrushFollowsBkcol) {
  wt::answerReportsNo();
  const struct {
    const char* properties;
    COLORREF colour;
  } cases[] = {
      {"", RGB(255, 255, 255)},
      {"bkcol=button", GetSysColor(COLOR_BTNFACE)},
      {"bkcol=0000ff", RGB(255, 0, 0)},
  };
  int row = 0;
  for (const auto& c : cases) {
    ASSERT_EQ(wt::createMain("Back" + std::to_string(row++), c.properties), 0);
    EXPECT_EQ(classBrushColour(wt::mainHwnd()), c.colour) << c.properties;
    EXPECT_EQ(ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).backColour, c.colour);
    forgetMain();
  }
}

TEST(MainWindowCreate, WithoutNameTheCaptionIsTheWindowName) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain("Main", "bkcol=white"), 0);
  EXPECT_EQ(wt::windowText(wt::mainHwnd()), "Main");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, "");
}

TEST(MainWindowCreate, RefusesBadNamesAndASecondWindow) {
  wt::answerReportsNo();
  EXPECT_EQ(wt::createMain(""), 1);
  wt::expectContext("", "ZK_WindowMainCreate");
  EXPECT_EQ(wt::createMain("Main.1"), 26);
  wt::expectContext("Main.1", "ZK_WindowMainCreate");
  EXPECT_TRUE(ZK_WindowRegistryIntl().empty());
  EXPECT_EQ(ZK_GdiCountIntl(), 0);

  ASSERT_EQ(wt::createMain(), 0);
  HWND first = wt::mainHwnd();
  EXPECT_EQ(wt::createMain("Other", "name=Autre"), 2);
  EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "Main");
  EXPECT_EQ(wt::mainHwnd(), first);
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), 1u);
  EXPECT_EQ(wt::windowText(first), "Velmo v1.1");
  EXPECT_EQ(wt::reported(), (std::vector<int>{1, 26, 2}));
}

TEST(MainWindowCreate, FailedRegistrationReleasesTheBrush) {
  wt::answerReportsNo();
  ZK_ResetZarvikIntl();
  WNDCLASSEXA taken = {};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = ZK_WindowStateIntl().instance;
  taken.lpszClassName = "Main";
  ASSERT_NE(RegisterClassExA(&taken), 0);
  EXPECT_EQ(wt::createMain(), 1000);
  EXPECT_EQ(ZK_GdiCountIntl(), 0);
  EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "");
  EXPECT_EQ(wt::reported(), std::vector<int>{1000});
}

TEST(MainWindowCreate, FailedWindowUndoesClassAndBrushSoARetryWorks) {
  wt::answerReportsNo();
  {
    support::ImportPatch patch("user32.dll", "UnregisterClassA",
                               reinterpret_cast<const void*>(unregisterWatched));
    ASSERT_TRUE(patch.active());
    gUnregisterClass = patch.original<decltype(&UnregisterClassA)>();
    EXPECT_EQ(ZK_WindowMainCreate("Main", SW_SHOW, refusingProc, "", 0, 0, 800, 600), 1001);
  }
  // The brush went with the class, and only then: deleted once.
  EXPECT_TRUE(gBrushAliveAtUnregister);
  EXPECT_EQ(GetObjectType(gClassBrush), 0u);
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetClassInfoExA(ZK_WindowStateIntl().instance, "Main", &info));
  EXPECT_EQ(ZK_GdiCountIntl(), 0);
  EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "");
  EXPECT_EQ(wt::createMain(), 0);
  EXPECT_EQ(wt::reported(), std::vector<int>{1001});
}

TEST(MainWindowCreate, PlacementWithinTheWorkArea) {
  wt::answerReportsNo();
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  ASSERT_EQ(ZK_WindowMainCreate("Main", SW_SHOW, wt::mainProc, "", -20, 10, 0, 5000), 0);
  RECT placed = {};
  GetWindowRect(wt::mainHwnd(), &placed);
  EXPECT_EQ(placed.left, -20);
  EXPECT_EQ(placed.top, 10);
  EXPECT_EQ(placed.right - placed.left, work.right);
  EXPECT_EQ(placed.bottom - placed.top, work.bottom);
  const WindowRecord record = ZK_WindowLookupIntl("Main");
  EXPECT_EQ(record.x, -20);
  EXPECT_EQ(record.y, 10);
  EXPECT_EQ(record.width, work.right);
  EXPECT_EQ(record.height, work.bottom);
}
