// Menus read back from the native menu bar, their command ids and the names they resolve to.
#include "window_test_support.h"

namespace {

struct Entry {
  const char* name;
  int column;
  int row;
  const char* caption;
  const char* properties;
};

// Velmo's menu.
const Entry kDemoMenu[] = {
    {"fichier", 1, 1, "&Fichier", ""},
    {"ouvrir", 1, 2, "&Ouvrir", ""},
    {"-", 1, 3, "", ""},
    {"quitter", 1, 4, "&Quitter", ""},
    {"form", 2, 1, "F&ormulaires", ""},
    {"tous", 2, 2, "&Tous les champs", ""},
    {"static", 2, 3, "Le champ &Static", ""},
    {"edit", 2, 4, "&Edit", ""},
};

void addAll(const Entry* entries, size_t count, const char* menu = "menu") {
  for (size_t i = 0; i < count; ++i) {
    const Entry& e = entries[i];
    ASSERT_EQ(ZK_MenuAdd(menu, e.name, e.column, e.row, e.caption, e.properties), 0) << e.name;
  }
}

std::string menuString(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

HMENU shownBar() {
  return GetMenu(wt::mainHwnd());
}

std::string command(UINT id, const char* menu = "menu") {
  return ZK_MenuCommand(menu, WM_COMMAND, id);
}

}  // namespace

TEST(MenuDisplay, BuildsTheDemoMenuBar) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  addAll(kDemoMenu, std::size(kDemoMenu));
  ZK_ContextSetIntl("caller", "ZK_Caller");
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  wt::expectContext("caller", "ZK_Caller");

  HMENU bar = shownBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, ZK_WindowLookupIntl("Main").menuHandle);
  EXPECT_EQ(ZK_WindowLookupIntl("Main").menuName, "menu");
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(menuString(bar, 0), "&Fichier");
  EXPECT_EQ(menuString(bar, 1), "F&ormulaires");

  const struct {
    int column, position;
    const char* caption;
    UINT id;
    bool separator;
  } items[] = {
      {0, 0, "&Ouvrir", 40001, false},          {0, 1, "", 0, true},
      {0, 2, "&Quitter", 40002, false},         {1, 0, "&Tous les champs", 40003, false},
      {1, 1, "Le champ &Static", 40004, false}, {1, 2, "&Edit", 40005, false},
  };
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 3);
  for (const auto& item : items) {
    HMENU dropDown = GetSubMenu(bar, item.column);
    EXPECT_EQ(menuString(dropDown, item.position), item.caption);
    EXPECT_EQ(GetMenuItemID(dropDown, item.position), item.id);
    const UINT state = GetMenuState(dropDown, item.position, MF_BYPOSITION);
    EXPECT_EQ((state & MF_SEPARATOR) != 0, item.separator) << item.caption;
    // Separators come back greyed on some systems: only text items are checked for it.
    if (!item.separator) {
      EXPECT_EQ(state & (MF_GRAYED | MF_CHECKED), 0u) << item.caption;
    }
  }
  const char* names[] = {"ouvrir", "quitter", "tous", "static", "edit"};
  for (UINT id = 40001; id <= 40005; ++id) EXPECT_EQ(command(id), names[id - 40001]);
  EXPECT_EQ(ZK_MenuEntryGetIntl("menu", 1, 1).commandId, 0);  // titles and separator: no id
  EXPECT_EQ(ZK_MenuEntryGetIntl("menu", 1, 3).commandId, 0);
  EXPECT_EQ(ZK_MenuEntryGetIntl("menu", 2, 1).commandId, 0);
  EXPECT_TRUE(wt::reported().empty());
}

TEST(MenuCommand, GivesNothingForOtherMessagesAndIds) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  addAll(kDemoMenu, std::size(kDemoMenu));
  EXPECT_EQ(command(40001), "");  // not displayed yet: no ids
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  EXPECT_EQ(ZK_MenuCommand("menu", WM_SYSCOMMAND, 40001), "");
  EXPECT_EQ(ZK_MenuCommand("menu", WM_PAINT, 40002), "");
  EXPECT_EQ(command(0), "");
  EXPECT_EQ(command(40000), "");
  EXPECT_EQ(command(40006), "");
  EXPECT_EQ(command(40001, "men"), "");  // menu names compare whole
  EXPECT_EQ(command(40001, "menu2"), "");
  EXPECT_EQ(ZK_MenuCommand("menu", WM_COMMAND, MAKEWPARAM(40002, 1)), "quitter");  // accelerator
  EXPECT_EQ(ZK_MenuFindIntl("menu", 40005), 204);
  EXPECT_EQ(ZK_MenuFindIntl("menu", 0), -1);
}

TEST(MenuDisplay, SecondDisplayRebuildsWithTheSameIds) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  addAll(kDemoMenu, std::size(kDemoMenu));
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  HMENU first = shownBar();
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  HMENU second = shownBar();
  EXPECT_NE(second, first);
  EXPECT_FALSE(IsMenu(first));  // the old bar was destroyed
  EXPECT_EQ(GetMenuItemID(GetSubMenu(second, 0), 0), 40001u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(second, 1), 2), 40005u);
  for (UINT id = 40001; id <= 40005; ++id) EXPECT_NE(command(id), "");
  EXPECT_EQ(command(40006), "");

  // Re-adding an entry loses its id until the next display.
  ASSERT_EQ(ZK_MenuAdd("menu", "ouvrir", 1, 2, "&Ouvrir...", ""), 0);
  EXPECT_EQ(command(40001), "");
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  EXPECT_EQ(command(40001), "ouvrir");
  EXPECT_EQ(menuString(GetSubMenu(shownBar(), 0), 0), "&Ouvrir...");
}

TEST(MenuDisplay, GreyedAndCheckedEntries) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  const Entry entries[] = {
      {"title", 1, 1, "&Options", "enable=no;check=yes"},  // a title's flags are not used
      {"grey", 1, 2, "Gris", "enable=no"},
      {"checked", 1, 3, "Coche", "check=yes"},
      {"both", 1, 4, "Les deux", "ENABLE=F;CHECK=T"},
      {"plain", 1, 5, "Simple", "enable=maybe;check=maybe"},
  };
  addAll(entries, std::size(entries));
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  HMENU bar = shownBar();
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED), 0u);
  HMENU dropDown = GetSubMenu(bar, 0);
  const UINT want[] = {MF_GRAYED, MF_CHECKED, MF_GRAYED | MF_CHECKED, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(GetMenuState(dropDown, i, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED), want[i]) << i;
  }
  EXPECT_EQ(command(40001), "grey");  // a greyed entry still has its id
}

TEST(MenuDisplay, StopsAtTheFirstMissingColumnOrRow) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  const Entry entries[] = {
      {"a", 1, 1, "A", ""},   {"a2", 1, 2, "A2", ""}, {"a4", 1, 4, "A4", ""},  // row 3 missing
      {"b2", 2, 2, "B2", ""},                                                  // column 2 untitled
      {"c", 3, 1, "C", ""},   {"c2", 3, 2, "C2", ""},                          // after the gap
  };
  addAll(entries, std::size(entries));
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  HMENU bar = shownBar();
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(menuString(bar, 0), "A");
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 1);
  EXPECT_EQ(command(40001), "a2");
  EXPECT_EQ(command(40002), "");
  EXPECT_EQ(ZK_MenuEntryGetIntl("menu", 1, 4).commandId, 0);
  EXPECT_EQ(ZK_MenuEntryGetIntl("menu", 3, 2).commandId, 0);
}

TEST(MenuAdd, StatusesInOrderAndNothingStored) {
  wt::answerReportsNo();
  EXPECT_EQ(ZK_MenuAdd("menu", "ouvrir", 1, 2, "&Ouvrir", ""), 5);  // before the main window
  wt::expectContext("ouvrir", "ZK_MenuAdd");
  ASSERT_EQ(wt::createMain(), 0);
  const struct {
    const char* menu;
    const char* entry;
    int column, row;
    const char* caption;
    int status;
  } cases[] = {
      {"", "", 0, 0, "", 13},         {"menu", "", 0, 0, "", 10},     {"menu", "x", 0, 0, "", 15},
      {"menu", "x", 0, 1, "X", 11},   {"menu", "x", 100, 1, "X", 11}, {"menu", "x", 1, 0, "X", 12},
      {"menu", "x", 1, 100, "X", 12},
  };
  std::vector<int> statuses;
  for (const auto& c : cases) {
    ZK_ContextSetIntl("caller", "ZK_Caller");
    EXPECT_EQ(ZK_MenuAdd(c.menu, c.entry, c.column, c.row, c.caption, ""), c.status) << c.status;
    wt::expectContext(c.entry, "ZK_MenuAdd");
    statuses.push_back(c.status);
  }
  EXPECT_TRUE(ZK_MenuTableIntl().empty());
  statuses.insert(statuses.begin(), 5);
  EXPECT_EQ(wt::reported(), statuses);

  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_MenuAdd("menu", "-", 1, 3, "", ""), 0);  // a separator needs no caption
  wt::expectContext("caller", "ZK_Caller");
  EXPECT_EQ(ZK_MenuAdd("menu", "premier", 1, 2, "Premier", ""), 0);
  EXPECT_EQ(ZK_MenuAdd("menu", "second", 1, 2, "Second", "enable=no"), 0);
  const MenuEntry kept = ZK_MenuEntryGetIntl("menu", 1, 2);
  EXPECT_EQ(kept.name, "second");
  EXPECT_EQ(kept.caption, "Second");
  EXPECT_FALSE(kept.enabled);
  EXPECT_EQ(ZK_MenuTableIntl().size(), 2u);
  EXPECT_EQ(ZK_MenuTableIntl().count("menu.102"), 1u);
  EXPECT_EQ(ZK_MenuTableIntl().count("menu.103"), 1u);
}

TEST(MenuDisplay, StatusesAndContext) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  EXPECT_EQ(ZK_MenuDisplay("Main", "", ""), 13);
  wt::expectContext("", "ZK_MenuDisplay");
  EXPECT_EQ(ZK_MenuDisplay("nobody", "menu", ""), 4);
  EXPECT_EQ(shownBar(), nullptr);
  // A menu without entries gives an empty bar.
  EXPECT_EQ(ZK_MenuDisplay("Main", "vide", ""), 0);
  ASSERT_NE(shownBar(), nullptr);
  EXPECT_EQ(GetMenuItemCount(shownBar()), 0);
  EXPECT_EQ(wt::reported(), (std::vector<int>{13, 4}));
}

namespace {
int gMenusBeforeRefusal = 0;  // CreateMenu calls that succeed before the stand-in refuses
decltype(&CreateMenu) gCreateMenu = nullptr;

HMENU WINAPI createMenuRefusedLater() {
  if (gMenusBeforeRefusal-- > 0) return gCreateMenu();
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}
}  // namespace

TEST(MenuDisplay, RecordNamesOnlyABarThatExistsAfterEveryFailure) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  addAll(kDemoMenu, std::size(kDemoMenu));
  // 0: the bar itself is refused after the old one is gone; 1: a drop-down is refused and the
  // new, partly filled bar stays recorded.
  for (int madeBefore : {0, 1}) {
    SCOPED_TRACE(madeBefore);
    ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
    HMENU old = shownBar();
    {
      support::ImportPatch patch("user32.dll", "CreateMenu",
                                 reinterpret_cast<const void*>(createMenuRefusedLater));
      ASSERT_TRUE(patch.active());
      gCreateMenu = patch.original<decltype(&CreateMenu)>();
      gMenusBeforeRefusal = madeBefore;
      EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), 1032);
    }
    EXPECT_FALSE(IsMenu(old));
    const HMENU recorded = ZK_WindowLookupIntl("Main").menuHandle;
    EXPECT_TRUE(recorded == nullptr || IsMenu(recorded));
    EXPECT_EQ(recorded != nullptr, madeBefore == 1);
  }
  // A bar destroyed behind the toolkit's back is refused once, then forgotten.
  ASSERT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  DestroyMenu(shownBar());
  EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), 1031);
  EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), 0);
  EXPECT_EQ(command(40005), "edit");
  EXPECT_EQ(wt::reported(), (std::vector<int>{1032, 1032, 1031}));
}
