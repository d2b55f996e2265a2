// Bad input at the window layer's functions: empty, dotted and 10 000-byte names, property strings
// holding every byte value, out-of-range numbers. Each call gives its status and the toolkit goes
// on working afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/reports.h"
#include "support/texts.h"
#include "window/window_intl.h"

namespace {
using support::everyByte;
using support::windowText;

std::vector<int> takeReports() {
  std::vector<int> codes = support::reportedCodes();
  support::reportTexts().clear();
  return codes;
}

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A 10 000-byte name without a dot, of letters and accented letters.
std::string longName() {
  std::string name;
  while (name.size() < 10000) name += "Fen\xEAtre";
  name.resize(10000);
  return name;
}

class WindowBadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    support::reportTexts().clear();
    ZK_ErrorPromptSetIntl(support::recordReport);
    ZK_ResetZarvikIntl();
  }
  void TearDown() override {
    // Windows and their classes go, so that the next case may use the same names.
    for (HWND window : made_) {
      char name[256] = {};
      GetClassNameA(window, name, sizeof name);
      DestroyWindow(window);
      UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
    ZK_ErrorPromptSetIntl(nullptr);
  }
  // A main window the ordinary way: proof that the toolkit still works.
  HWND createMain(const std::string& name, const std::string& properties = "name=Velmo v1.1") {
    const int status =
        ZK_WindowMainCreate(name, SW_SHOWNORMAL, plainProc, properties, 0, 0, 640, 480);
    EXPECT_EQ(status, ZK_OK) << name.substr(0, 40);
    HWND window = ZK_WindowLookupIntl(name).hwnd;
    if (window != nullptr) made_.push_back(window);
    return window;
  }
  std::vector<HWND> made_;
};

TEST_F(WindowBadInput, MainWindowNamesAreRefusedWithTheirStatusAndAGoodNameStillWorks) {
  const long objects = ZK_GdiCountIntl();
  const struct {
    std::string name;
    WNDPROC proc;
    int status;
  } cases[] = {
      {"", plainProc, ZK_ERR_NAME_EMPTY},
      {".", plainProc, ZK_ERR_NAME_HAS_DOT},
      {"Main.1", plainProc, ZK_ERR_NAME_HAS_DOT},
      {longName() + ".", plainProc, ZK_ERR_NAME_HAS_DOT},
      // Class names are atoms of at most 255 characters: the class cannot be registered.
      {longName(), plainProc, ZK_ERR_REGISTER_CLASS},
      {"SansProc", nullptr, ZK_ERR_REGISTER_CLASS},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZK_WindowMainCreate(c.name, SW_SHOWNORMAL, c.proc, "name=x", 0, 0, 640, 480),
              c.status)
        << c.name.substr(0, 40);
    EXPECT_EQ(takeReports(), std::vector<int>{c.status}) << c.name.substr(0, 40);
    EXPECT_EQ(ZK_WindowStateIntl().mainWindowName, "");
    EXPECT_EQ(ZK_WindowRegistryIntl().size(), 0u);
    // A refused creation keeps no brush.
    EXPECT_EQ(ZK_GdiCountIntl(), objects);
  }
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(windowText(window), "Velmo v1.1");
  EXPECT_EQ(ZK_GdiCountIntl(), objects + 1);
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, PropertyStringsOfEveryByteValueMakeAMainWindow) {
  // Each string holds every byte value, NUL and ";" included, in several places of its entries.
  const std::string bytes = everyByte(1);  // 0x01 .. 0xFF, then NUL
  const std::string cases[] = {
      "name=" + bytes,
      "bkcol=" + bytes + ";name=Octets",
      "resize=" + bytes + ";" + everyByte(0x3C) + ";name=Octets",
      everyByte(0) + everyByte(0x80) + "name=Octets",
      std::string("name=Octets;") + '\0' + "resize=no",
  };
  int row = 0;
  for (const std::string& properties : cases) {
    const std::string name = "Octets" + std::to_string(row++);
    HWND window = createMain(name, properties);
    ASSERT_NE(window, nullptr) << row;
    const WindowRecord record = ZK_WindowLookupIntl(name);
    EXPECT_EQ(record.properties, properties) << row;
    // What the platform shows is what the record says, up to the first NUL the C API stops at.
    const std::string shown = record.title.empty() ? name : record.title.c_str();
    EXPECT_EQ(windowText(window), shown) << row;
    EXPECT_TRUE(IsWindowVisible(window)) << row;
    ZK_ResetZarvikIntl();
  }
  // The value of NAME runs from the first byte after "=" to the first ";": bytes 1 .. 0x3A.
  std::string expected;
  for (int b = 1; b < 0x3B; ++b) expected += static_cast<char>(b);
  ZK_WindowMainCreate("Titre", SW_SHOWNORMAL, plainProc, cases[0], 0, 0, 640, 480);
  made_.push_back(ZK_WindowLookupIntl("Titre").hwnd);
  EXPECT_EQ(ZK_WindowLookupIntl("Titre").title, expected);
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, TitlesOfTenThousandCharactersAndBadNames) {
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  std::string title;
  for (int i = 0; title.size() < 10000; ++i)
    title += "Titre tr\xE8s long " + std::to_string(i) + " ";
  title.resize(10000);

  EXPECT_EQ(ZK_WindowTitleSet("Main", title), ZK_OK);
  EXPECT_EQ(windowText(window), title);
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, title);

  // Returned without a report, and nothing changes.
  EXPECT_EQ(ZK_WindowTitleSet("", "x"), ZK_ERR_NAME_EMPTY);
  EXPECT_EQ(ZK_WindowTitleSet("Inconnue", "x"), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(ZK_WindowTitleSet(longName(), "x"), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(ZK_WindowTitleSet("Main", ""), ZK_OK);
  EXPECT_EQ(windowText(window), title);
  EXPECT_TRUE(takeReports().empty());
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), 1u);

  EXPECT_EQ(ZK_WindowTitleSet("Main", "Velmo v1.1"), ZK_OK);
  EXPECT_EQ(windowText(window), "Velmo v1.1");
}

TEST_F(WindowBadInput, WindowOperationsOnMissingWindowsReportFourAndChangeNothing) {
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  const long objects = ZK_GdiCountIntl();
  const std::string names[] = {"", "Inconnue", "main", "Main.", longName()};
  for (const std::string& name : names) {
    EXPECT_EQ(ZK_WindowSelect(name), ZK_ERR_WINDOW_NOT_FOUND);
    EXPECT_EQ(ZK_WindowMove(name, 0, 0, 100, 100), ZK_ERR_WINDOW_NOT_FOUND);
    EXPECT_EQ(ZK_MenuDisplay(name, "menu", ""), ZK_ERR_WINDOW_NOT_FOUND);
    EXPECT_EQ(takeReports(), std::vector<int>(3, ZK_ERR_WINDOW_NOT_FOUND)) << name.substr(0, 40);
  }
  // Nothing was registered or made on the way, and the current window is still the main one.
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), 1u);
  EXPECT_EQ(ZK_WindowCurrentIntl(), "Main");
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
  EXPECT_EQ(ZK_WindowMove("Main", 10, 10, 500, 400), ZK_OK);
  RECT placed = {};
  GetWindowRect(window, &placed);
  EXPECT_EQ(placed.right - placed.left, 500);
}

TEST_F(WindowBadInput, ExtremePlacementsAreKeptInsideTheWorkArea) {
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const struct {
    int width;
    int height;
  } sizes[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {0, -1}, {-7, 100000}};
  for (const auto& s : sizes) {
    EXPECT_EQ(ZK_WindowMove("Main", 0, 0, s.width, s.height), ZK_OK);
    const WindowRecord record = ZK_WindowLookupIntl("Main");
    EXPECT_GE(record.width, 1);
    EXPECT_LE(record.width, work.right);
    EXPECT_GE(record.height, 1);
    EXPECT_LE(record.height, work.bottom);
  }
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, FontRequestsOutsideAPaintLeaveNoFontBehind) {
  ASSERT_NE(createMain("Main"), nullptr);
  const long objects = ZK_GdiCountIntl();
  std::string face(10000, 'A');
  const struct {
    std::string face;
    int size;
    int switches;
  } cases[] = {
      {face, 10, 1},
      {"", INT_MAX, INT_MIN},
      {"Arial", INT_MIN, INT_MAX},
      {everyByte(1), -1, 2},
  };
  for (const auto& c : cases) {
    // No paint context is open: the font cannot be selected and is released at once.
    EXPECT_EQ(ZK_TextFontSet(c.face, c.size, c.switches, c.switches, c.switches),
              ZK_ERR_SELECT_OBJECT);
    EXPECT_EQ(ZK_GdiCountIntl(), objects);
  }
  EXPECT_EQ(ZK_WindowCls(), ZK_ERR_SELECT_OBJECT);
  EXPECT_EQ(takeReports(), std::vector<int>(5, ZK_ERR_SELECT_OBJECT));
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
}

TEST_F(WindowBadInput, ScrollRequestsOfEveryKindKeepStatusZero) {
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  const WPARAM requests[] = {SB_LINEUP,
                             SB_LINEDOWN,
                             SB_PAGEUP,
                             SB_PAGEDOWN,
                             SB_THUMBPOSITION,
                             SB_TOP,
                             SB_BOTTOM,
                             SB_ENDSCROLL,
                             MAKEWPARAM(SB_THUMBTRACK, 0xFFFF),
                             MAKEWPARAM(SB_THUMBTRACK, 0),
                             0xFFFFFFFFu};
  const struct {
    int first;
    int last;
    int count;
  } surfaces[] = {{0, 0, 0}, {0, 20, 100}, {INT_MAX - 1, INT_MAX, INT_MAX}, {-5, -50, 3}};
  for (const auto& s : surfaces) {
    for (WPARAM request : requests) {
      WindowRecord record = ZK_WindowLookupIntl("Main");
      record.firstLine = s.first;
      record.lastLine = s.last;
      record.lineCount = s.count;
      ZK_WindowStoreIntl("Main", record);
      EXPECT_EQ(ZK_WindowMessageAuto(WM_VSCROLL, request), ZK_OK);
    }
  }
  // Messages the function does not handle, with any parameter.
  for (UINT message : {0u, 1u, 3u, 0x0Fu, 0x111u, 0x7FFFu, 0xFFFFFFFFu})
    EXPECT_EQ(ZK_WindowMessageAuto(message, ~WPARAM{0}), ZK_OK);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, MenuEntriesRefusedInOrderAndNothingStored) {
  ASSERT_NE(createMain("Main"), nullptr);
  const struct {
    std::string menu;
    std::string entry;
    int column;
    int row;
    std::string caption;
    int status;
  } cases[] = {
      {"", "", 0, 0, "", ZK_ERR_MENU_NAME_EMPTY},
      {"menu", "", 0, 0, "", ZK_ERR_MENU_TEXT_EMPTY},
      {"menu", "x", 0, 0, "", ZK_ERR_MENU_NO_COMMAND},
      {"menu", "x", 0, 1, "X", ZK_ERR_MENU_COLUMN},
      {"menu", "x", 100, 1, "X", ZK_ERR_MENU_COLUMN},
      {"menu", "x", INT_MIN, 1, "X", ZK_ERR_MENU_COLUMN},
      {"menu", "x", INT_MAX, 1, "X", ZK_ERR_MENU_COLUMN},
      {"menu", "x", 1, 0, "X", ZK_ERR_MENU_ROW},
      {"menu", "x", 1, 100, "X", ZK_ERR_MENU_ROW},
      {"menu", "x", 1, INT_MIN, "X", ZK_ERR_MENU_ROW},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZK_MenuAdd(c.menu, c.entry, c.column, c.row, c.caption, ""), c.status);
    EXPECT_EQ(takeReports(), std::vector<int>{c.status});
  }
  EXPECT_TRUE(ZK_MenuTableIntl().empty());
  EXPECT_EQ(ZK_MenuDisplay("Main", "", ""), ZK_ERR_MENU_NAME_EMPTY);
  EXPECT_EQ(takeReports(), std::vector<int>{ZK_ERR_MENU_NAME_EMPTY});
}

TEST_F(WindowBadInput, LongAndOddMenuTextsAreShownAndCommandsStillResolve) {
  HWND window = createMain("Main");
  ASSERT_NE(window, nullptr);
  const std::string menu = longName();
  std::string caption(10000, 'c');
  caption[0] = '&';
  // Every byte value but NUL, which would end the text the platform gets.
  const std::string oddCaption = everyByte(1).substr(0, 255);
  ASSERT_EQ(ZK_MenuAdd(menu, longName(), 1, 1, caption, everyByte(0)), ZK_OK);
  ASSERT_EQ(ZK_MenuAdd(menu, "octets", 1, 2, oddCaption, "enable=" + everyByte(0)), ZK_OK);
  ASSERT_EQ(ZK_MenuAdd(menu, "long", 1, 3, caption, "check=yes;" + everyByte(7)), ZK_OK);
  ASSERT_EQ(ZK_MenuDisplay("Main", menu, everyByte(0)), ZK_OK);

  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  HMENU drop = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(drop), 2);
  std::string shown(20000, '\0');
  shown.resize(static_cast<std::size_t>(
      GetMenuStringA(drop, 1, &shown[0], static_cast<int>(shown.size()), MF_BYPOSITION)));
  EXPECT_EQ(shown, caption);
  EXPECT_EQ(GetMenuState(drop, 1, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

  EXPECT_EQ(ZK_MenuCommand(menu, WM_COMMAND, 40001), "octets");
  EXPECT_EQ(ZK_MenuCommand(menu, WM_COMMAND, 40002), "long");
  // Every other id, and every other message, names nothing.
  for (WPARAM id = 0; id <= 0xFFFF; ++id) {
    if (id == 40001 || id == 40002) continue;
    ASSERT_EQ(ZK_MenuCommand(menu, WM_COMMAND, id), "") << id;
  }
  EXPECT_EQ(ZK_MenuCommand(menu, WM_SYSCOMMAND, 40001), "");
  EXPECT_EQ(ZK_MenuCommand("", WM_COMMAND, 40001), "");
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, DottedMenuNamesAreStoredButNameNoCommand) {
  ASSERT_NE(createMain("Main"), nullptr);
  ASSERT_EQ(ZK_MenuAdd("a.b", "titre", 1, 1, "&Titre", ""), ZK_OK);
  ASSERT_EQ(ZK_MenuAdd("a.b", "choix", 1, 2, "&Choix", ""), ZK_OK);
  EXPECT_EQ(ZK_MenuDisplay("Main", "a.b", ""), ZK_OK);
  // The key's menu part ends at its first ".", so "a.b" never finds its own entries.
  EXPECT_EQ(ZK_MenuCommand("a.b", WM_COMMAND, 40001), "");
  EXPECT_EQ(ZK_MenuCommand("a", WM_COMMAND, 40001), "");

  // An ordinary menu next to it still works.
  ASSERT_EQ(ZK_MenuAdd("menu", "fichier", 1, 1, "&Fichier", ""), ZK_OK);
  ASSERT_EQ(ZK_MenuAdd("menu", "quitter", 1, 2, "&Quitter", ""), ZK_OK);
  EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), ZK_OK);
  EXPECT_EQ(ZK_MenuCommand("menu", WM_COMMAND, 40001), "quitter");
  EXPECT_TRUE(takeReports().empty());
}

TEST_F(WindowBadInput, MenusAndMessageBoxBeforeTheMainWindowGiveFive) {
  EXPECT_EQ(ZK_MenuAdd("menu", "x", 1, 1, "X", ""), ZK_ERR_NO_MAIN_WINDOW);
  EXPECT_EQ(ZK_MessageBox(longName(), everyByte(0)), ZK_ERR_NO_MAIN_WINDOW);
  EXPECT_EQ(takeReports(), (std::vector<int>{ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_NO_MAIN_WINDOW}));
  EXPECT_TRUE(ZK_MenuTableIntl().empty());
  ASSERT_NE(createMain("Main"), nullptr);
  EXPECT_EQ(ZK_MenuAdd("menu", "x", 1, 1, "X", ""), ZK_OK);
}

}  // namespace
