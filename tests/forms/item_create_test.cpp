// Creating items' controls, read back from the platform.
#include <gtest/gtest.h>

#include "item_test_host.h"
#include "support/texts.h"

using item_test::Dialog;
using item_test::kForm;
using item_test::Reports;

namespace {
using support::classOf;
using support::windowText;

std::string listEntry(HWND combo, int index) {
  char text[256] = {};
  SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

RECT placeIn(HWND dialog, HWND control) {
  RECT box;
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

}  // namespace

TEST(ItemCreate, ControlsHaveTheClassTextStylesAndIdentifierOfTheirKind) {
  Reports reports;
  Dialog dialog;
  struct Case {
    const char* item;
    const char* kind;
    const char* properties;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    bool identified;
  } cases[] = {
      {"st", ZK_STATIC, "", "Static", "st", 0x5000000D, 0, false},
      {"re", ZK_RECT, "visible=no", "Static", "re", 0x4800000D, 0, false},
      {"ed", ZK_EDIT, "", "Edit", "", 0x50010080, 0x300, true},
      {"ed2", ZK_EDIT, "type=date;format=dd/mm/yyyy;password=y", "Edit", "", 0x500100A2, 0x300,
       true},
      {"ed3", ZK_EDIT, "multiline=y;visible=f", "Edit", "", 0x48211084, 0x300, true},
      {"bs", ZK_BUTTONSYS, "", "Button", "bs", 0x50014000, 0, true},
      {"bo", ZK_BUTTON, "value=Fermer", "Button", "bo", 0x5001000B, 0, true},
      {"ch", ZK_CHECK, "", "Button", "ch", 0x5001400B, 0, true},
      {"cs", ZK_CHECKSYS, "visible=no", "Button", "cs", 0x48014003, 0, true},
      {"co", ZK_COMBOSYS, "", "ComboBox", "", 0x50210043, 0, true},
      {"ce", ZK_COMBOSYS, "edit=y", "ComboBox", "", 0x50210042, 0, true},
  };
  int order = 1;
  for (const Case& c : cases) {
    ASSERT_EQ(ZK_FormItemAdd(kForm, c.item, c.kind, order++, 10, 20, 120, 24, c.properties), ZK_OK);
    ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, c.item), ZK_OK) << c.item;
    const ItemRecord record = ZK_FormItemGet(kForm, c.item);
    ASSERT_NE(record.hwnd, nullptr);
    EXPECT_EQ(GetParent(record.hwnd), dialog.hwnd());
    EXPECT_EQ(record.controlId, record.order + 101);
    EXPECT_EQ(_stricmp(classOf(record.hwnd).c_str(), c.className), 0) << classOf(record.hwnd);
    EXPECT_EQ(windowText(record.hwnd), c.text) << c.item;
    // Bits the platform changes on its own are left out: it adds WS_CLIPSIBLINGS and a combo's
    // CBS_HASSTRINGS, gives a combo's WS_VSCROLL to its list, and keeps WS_EX_WINDOWEDGE only on
    // framed windows.
    DWORD ignored = WS_CLIPSIBLINGS;
    if (std::string(c.kind) == ZK_COMBOSYS) ignored |= CBS_HASSTRINGS | WS_VSCROLL;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(record.hwnd, GWL_STYLE));
    EXPECT_EQ(style & ~ignored, c.style & ~ignored) << c.item;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(record.hwnd, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE,
              c.exStyle & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetDlgCtrlID(record.hwnd), c.identified ? record.controlId : 0) << c.item;
    EXPECT_EQ(ZK_FormItemByControlIntl("FICHE", record.hwnd), c.item);
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemCreate, PlacementIsTakenButCheckSysIsAlwaysFourteenSquare) {
  Dialog dialog;
  ZK_FormItemAdd(kForm, "bo", ZK_BUTTONSYS, 1, 11, 22, 100, 30, "");
  ZK_FormItemAdd(kForm, "cs", ZK_CHECKSYS, 2, 30, 40, 100, 100, "check=yes");
  ZK_FormItemAdd(kForm, "cn", ZK_CHECKSYS, 3, 50, 40, 100, 100, "");
  for (const char* item : {"bo", "cs", "cn"})
    ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, item), ZK_OK);
  const RECT button = placeIn(dialog.hwnd(), ZK_FormItemGet(kForm, "bo").hwnd);
  EXPECT_EQ(button.left, 11);
  EXPECT_EQ(button.top, 22);
  EXPECT_EQ(button.right - button.left, 100);
  EXPECT_EQ(button.bottom - button.top, 30);
  const ItemRecord checked = ZK_FormItemGet(kForm, "cs");
  const RECT box = placeIn(dialog.hwnd(), checked.hwnd);
  EXPECT_EQ(box.left, 30);
  EXPECT_EQ(box.right - box.left, 14);
  EXPECT_EQ(box.bottom - box.top, 14);
  EXPECT_EQ(SendMessageA(checked.hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(checked.field.checkState);
  const ItemRecord unchecked = ZK_FormItemGet(kForm, "cn");
  EXPECT_EQ(SendMessageA(unchecked.hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(unchecked.field.checkState);
}

TEST(ItemCreate, HiddenOrDisabledItemsAreCreatedDisabled) {
  Dialog dialog;
  struct Case {
    const char* item;
    const char* kind;
    const char* properties;
    bool visible;
    bool enabled;
  } cases[] = {
      {"a", ZK_EDIT, "visible=false", false, false},
      {"b", ZK_EDIT, "enable=no", true, false},
      {"c", ZK_BUTTONSYS, "enable=F", true, false},
      {"d", ZK_COMBOSYS, "enable=N", true, false},
      {"e", ZK_CHECK, "", true, true},
      // The labels are never disabled for ENABLE, only by being hidden.
      {"f", ZK_STATIC, "enable=no", true, true},
      {"g", ZK_STATIC, "visible=no", false, false},
  };
  int order = 1;
  for (const Case& c : cases) {
    ZK_FormItemAdd(kForm, c.item, c.kind, order++, 0, 0, 50, 20, c.properties);
    ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, c.item), ZK_OK);
    const HWND control = ZK_FormItemGet(kForm, c.item).hwnd;
    EXPECT_EQ(IsWindowVisible(control) != FALSE, c.visible) << c.item;
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled) << c.item;
  }
}

TEST(ItemCreate, EditGetsItsTextAndLimit) {
  Dialog dialog;
  ZK_FormItemAdd(kForm, "limite", ZK_EDIT, 1, 0, 0, 80, 20, "value=Bonjour;length=12");
  ZK_FormItemAdd(kForm, "libre", ZK_EDIT, 2, 0, 30, 80, 20, "");
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "limite"), ZK_OK);
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "libre"), ZK_OK);
  const ItemRecord limited = ZK_FormItemGet(kForm, "limite");
  EXPECT_EQ(windowText(limited.hwnd), "Bonjour");
  EXPECT_EQ(limited.field.text, "Bonjour");
  EXPECT_EQ(SendMessageA(limited.hwnd, EM_GETLIMITTEXT, 0, 0), 12);
  const ItemRecord free = ZK_FormItemGet(kForm, "libre");
  EXPECT_GT(SendMessageA(free.hwnd, EM_GETLIMITTEXT, 0, 0), 30000);
  EXPECT_EQ(free.field.text, "");
}

TEST(ItemCreate, ComboListStopsAtTheFirstMissingValueAndSelectsTheFirst) {
  Dialog dialog;
  ZK_FormItemAdd(kForm, "police", ZK_COMBOSYS, 1, 0, 0, 150, 120,
                 "value1=Arial;VALUE2=Courier New;value3=Times;value5=Perdu;value=autre");
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "police"), ZK_OK);
  const ItemRecord record = ZK_FormItemGet(kForm, "police");
  ASSERT_EQ(SendMessageA(record.hwnd, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(listEntry(record.hwnd, 0), "Arial");
  EXPECT_EQ(listEntry(record.hwnd, 1), "Courier New");
  EXPECT_EQ(listEntry(record.hwnd, 2), "Times");
  EXPECT_EQ(SendMessageA(record.hwnd, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(record.field.text, "Arial");

  ZK_FormItemAdd(kForm, "vide", ZK_COMBOSYS, 2, 0, 30, 150, 120, "");
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "vide"), ZK_OK);
  const ItemRecord empty = ZK_FormItemGet(kForm, "vide");
  EXPECT_EQ(SendMessageA(empty.hwnd, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(empty.field.text, "");

  std::string fifty;
  for (int i = 1; i <= 51; ++i)
    fifty += "value" + std::to_string(i) + "=v" + std::to_string(i) + ";";
  ZK_FormItemAdd(kForm, "long", ZK_COMBOSYS, 3, 0, 60, 150, 120, fifty);
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "long"), ZK_OK);
  EXPECT_EQ(SendMessageA(ZK_FormItemGet(kForm, "long").hwnd, CB_GETCOUNT, 0, 0), 50);
}

TEST(ItemCreate, RefusalsAreReportedAndDataGridMakesNothing) {
  Reports reports;
  Dialog dialog;
  EXPECT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "absent"), ZK_ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_FormCreateItem");
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "fiche.absent");
  ZK_FormItemAdd(kForm, "a.b", ZK_STATIC, 1, 0, 0, 10, 10, "");
  EXPECT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "a.b"), ZK_ERR_NAME_HAS_DOT);
  EXPECT_EQ(ZK_FormItemGet(kForm, "a.b").hwnd, nullptr);
  // A parent that is no window: the platform refuses the child.
  ZK_FormItemAdd(kForm, "orphelin", ZK_EDIT, 2, 0, 0, 10, 10, "");
  EXPECT_EQ(ZK_FormCreateItem(reinterpret_cast<HWND>(0x7FFF0), kForm, "orphelin"),
            ZK_ERR_CREATE_WINDOW);
  EXPECT_EQ(ZK_FormItemGet(kForm, "orphelin").hwnd, nullptr);
  EXPECT_EQ(reports.count(), 3u);

  ZK_FormItemAdd(kForm, "grille", ZK_DATAGRID, 3, 0, 0, 10, 10, "");
  ZK_ContextSetIntl("x", "y");
  EXPECT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "grille"), ZK_OK);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "y");
  const ItemRecord grid = ZK_FormItemGet(kForm, "grille");
  EXPECT_EQ(grid.hwnd, nullptr);
  EXPECT_EQ(grid.controlId, 0);
  EXPECT_EQ(GetWindow(dialog.hwnd(), GW_CHILD), nullptr);
  EXPECT_EQ(reports.count(), 3u);
}
