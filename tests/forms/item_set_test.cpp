// Run-time item changes: the record, the native action, the repaint and the ITEMCHG of RETURN.
#include <gtest/gtest.h>

#include <functional>

#include "item_test_host.h"
#include "support/texts.h"

using item_test::Dialog;
using item_test::kForm;
using item_test::Reports;

namespace {

struct Event {
  std::string form, item, event;
  HWND dialog;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Event> gEvents;
std::function<void()> gOnEvent;

int recordEvent(std::string form, std::string item, std::string event, HWND dialog, UINT message,
                WPARAM wParam, LPARAM lParam) {
  gEvents.push_back({form, item, event, dialog, message, wParam, lParam});
  if (gOnEvent) gOnEvent();
  return 7;
}

HWND create(Dialog& dialog, const std::string& item, const std::string& kind,
            const std::string& properties, int order = 1) {
  EXPECT_EQ(ZK_FormItemAdd(kForm, item, kind, order, 0, 10 * order, 150, 100, properties), ZK_OK);
  EXPECT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, item), ZK_OK);
  return ZK_FormItemGet(kForm, item).hwnd;
}

}  // namespace

TEST(ItemSet, EveryAttributeChangesItsField) {
  Reports reports;
  Dialog dialog;
  create(dialog, "champ", ZK_STATIC, "");
  using Check = std::function<bool(const ItemRecord&)>;
  struct Case {
    const char* attribute;
    const char* value;
    Check check;
  } cases[] = {
      {"BKCOL", "red", [](const ItemRecord& r) { return r.backColour == 0x0000FF; }},
      {"bkcol", "-1", [](const ItemRecord& r) { return r.backColour == -1; }},
      {"BKCOL", "", [](const ItemRecord& r) { return r.backColour == 0; }},
      {"TXCOL", "00FF00", [](const ItemRecord& r) { return r.textColour == 0x00FF00; }},
      {"CHECK", "yes", [](const ItemRecord& r) { return r.field.checkState; }},
      {"CHECK", "1", [](const ItemRecord& r) { return !r.field.checkState; }},
      {"ENABLE", "maybe", [](const ItemRecord& r) { return r.enabled; }},
      {"VISIBLE", "0", [](const ItemRecord& r) { return r.visible; }},
      {"VALUE", "Nouveau", [](const ItemRecord& r) { return r.value == "Nouveau"; }},
      {"BUTTON", "ok", [](const ItemRecord& r) { return r.buttonRole == "ok"; }},
      {"LENGTH", "12", [](const ItemRecord& r) { return r.length == 12; }},
      {"FORMAT", "dd/mm", [](const ItemRecord& r) { return r.format == "dd/mm"; }},
      {"REMARK", "Aide", [](const ItemRecord& r) { return r.remark == "Aide"; }},
      {"NOTNULL", "T", [](const ItemRecord& r) { return r.notNull; }},
      {"EDIT", "Y", [](const ItemRecord& r) { return r.editable; }},
      {"TXHPOS", "right", [](const ItemRecord& r) { return r.textHPos == 1; }},
      {"TXHPOS", "1", [](const ItemRecord& r) { return r.textHPos == 1; }},
      {"TXHPOS", "0", [](const ItemRecord& r) { return r.textHPos == 0; }},
      {"TXHPOS", "2", [](const ItemRecord& r) { return r.textHPos == -1; }},
      {"TXHPOS", "Center", [](const ItemRecord& r) { return r.textHPos == 0; }},
      {"TXHPOS", "LEFT", [](const ItemRecord& r) { return r.textHPos == -1; }},
      {"TXVPOS", "0", [](const ItemRecord& r) { return r.textVPos == 0; }},
      {"TXVPOS", "bottom", [](const ItemRecord& r) { return r.textVPos == 1; }},
      {"TXVPOS", "-1", [](const ItemRecord& r) { return r.textVPos == -1; }},
      {"FTNAME", "Arial", [](const ItemRecord& r) { return r.fontName == "Arial"; }},
      {"FTSIZE", "0", [](const ItemRecord& r) { return r.fontSize == 0; }},
      {"FTSIZE", "300", [](const ItemRecord& r) { return r.fontSize == 300; }},
      {"ftbold", "yes", [](const ItemRecord& r) { return r.fontBold; }},
      {"FTITALIC", "t", [](const ItemRecord& r) { return r.fontItalic; }},
      {"FtULine", "Y", [](const ItemRecord& r) { return r.fontUnderline; }},
      {"BRDSIZE", "40", [](const ItemRecord& r) { return r.borderSize == 40; }},
      {"BRDCOL", "blue", [](const ItemRecord& r) { return r.borderColour == 0xFF0000; }},
      {"RETURN", "texte", [](const ItemRecord& r) { return r.field.text == "texte"; }},
      {"ADDVALUE", "x", [](const ItemRecord& r) { return r.field.text == "texte"; }},
      {"CLEARVALUE", "", [](const ItemRecord& r) { return r.field.text == "texte"; }},
      {"BRDSTYLE", "3din", [](const ItemRecord& r) { return r.borderStyle == "3din"; }},
  };
  ZK_ContextSetIntl("avant", "Avant");
  for (const Case& c : cases) {
    EXPECT_EQ(ZK_FormItemSet(kForm, "champ", c.attribute, c.value), ZK_OK) << c.attribute;
    EXPECT_TRUE(c.check(ZK_FormItemGet(kForm, "champ"))) << c.attribute << "=" << c.value;
  }
  // The change itself reports nothing and leaves the context alone; only the repaint of the
  // unchecked style "3din" reports the unknown style.
  ASSERT_EQ(reports.count(), 1u);
  EXPECT_NE(reports.texts()[0].find("25"), std::string::npos);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "Avant");
}

TEST(ItemSet, UnknownItemsAndAttributesChangeNothing) {
  Reports reports;
  Dialog dialog;
  const HWND control = create(dialog, "champ", ZK_EDIT, "value=abc");
  EXPECT_EQ(ZK_FormItemSet(kForm, "champ", "COLOR", "red"), ZK_ERR_KEYWORD_UNKNOWN);
  EXPECT_EQ(ZK_FormItemSet(kForm, "champ", "", "red"), ZK_ERR_KEYWORD_UNKNOWN);
  EXPECT_EQ(ZK_FormItemSet(kForm, "champ", "VALUES", "x"), ZK_ERR_KEYWORD_UNKNOWN);
  EXPECT_EQ(ZK_FormItemGet(kForm, "champ").backColour, -1);
  EXPECT_EQ(ZK_FormItemGet(kForm, "champ").value, "abc");
  for (const char* attribute : {"ENABLE", "VISIBLE", "RETURN", "BKCOL"}) {
    EXPECT_EQ(ZK_FormItemSet(kForm, "autre", attribute, "no"), ZK_ERR_ITEM_NOT_FOUND);
    EXPECT_EQ(ZK_FormItemSet("FICHE", "champ", attribute, "no"), ZK_ERR_ITEM_NOT_FOUND);
  }
  EXPECT_TRUE(IsWindowEnabled(control));
  EXPECT_TRUE(IsWindowVisible(control));
  EXPECT_EQ(support::windowText(control), "abc");
  EXPECT_EQ(ZK_ItemTableIntl().size(), 1u);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemSet, EnableAndVisibleActOnTheControl) {
  Dialog dialog;
  const HWND shown = create(dialog, "a", ZK_EDIT, "", 1);
  const HWND hidden = create(dialog, "b", ZK_BUTTONSYS, "visible=false", 2);
  const HWND locked = create(dialog, "c", ZK_CHECKSYS, "visible=no;enable=no", 3);
  EXPECT_FALSE(IsWindowEnabled(hidden));

  EXPECT_EQ(ZK_FormItemSet(kForm, "a", "ENABLE", "no"), ZK_OK);
  EXPECT_FALSE(IsWindowEnabled(shown));
  EXPECT_EQ(ZK_FormItemSet(kForm, "a", "enable", "yes"), ZK_OK);
  EXPECT_TRUE(IsWindowEnabled(shown));

  // Showing an item declared hidden enables it too, unless it is disabled in its own right.
  EXPECT_EQ(ZK_FormItemSet(kForm, "b", "VISIBLE", "true"), ZK_OK);
  EXPECT_TRUE(IsWindowVisible(hidden));
  EXPECT_TRUE(IsWindowEnabled(hidden));
  EXPECT_EQ(ZK_FormItemSet(kForm, "c", "VISIBLE", "true"), ZK_OK);
  EXPECT_TRUE(IsWindowVisible(locked));
  EXPECT_FALSE(IsWindowEnabled(locked));

  // Hiding keeps `enabled`; showing again restores it.
  EXPECT_EQ(ZK_FormItemSet(kForm, "b", "VISIBLE", "no"), ZK_OK);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_TRUE(ZK_FormItemGet(kForm, "b").enabled);
  EXPECT_FALSE(ZK_FormItemGet(kForm, "b").visible);
  EXPECT_EQ(ZK_FormItemSet(kForm, "b", "ENABLE", "F"), ZK_OK);
  EXPECT_EQ(ZK_FormItemSet(kForm, "b", "VISIBLE", "yes"), ZK_OK);
  EXPECT_TRUE(IsWindowVisible(hidden));
  EXPECT_FALSE(IsWindowEnabled(hidden));
  EXPECT_EQ(ZK_FormItemSet(kForm, "b", "ENABLE", "Y"), ZK_OK);
  EXPECT_TRUE(IsWindowEnabled(hidden));
}

TEST(ItemSet, ReturnSetsTheEditTextAndRaisesItemChange) {
  gEvents.clear();
  Dialog dialog(recordEvent);
  const HWND edit = create(dialog, "saisie", ZK_EDIT, "value=avant");
  create(dialog, "titre", ZK_STATIC, "", 2);
  EXPECT_EQ(ZK_FormItemSet(kForm, "saisie", "RETURN", "apr\xE8s"), ZK_OK);
  EXPECT_EQ(support::windowText(edit), "apr\xE8s");
  EXPECT_EQ(ZK_FormItemGet(kForm, "saisie").field.text, "apr\xE8s");
  ASSERT_EQ(gEvents.size(), 1u);
  EXPECT_EQ(gEvents[0].form, kForm);
  EXPECT_EQ(gEvents[0].item, "saisie");
  EXPECT_EQ(gEvents[0].event, ZK_ITEMCHG);
  EXPECT_EQ(gEvents[0].dialog, nullptr);  // no message: all four message values are 0
  EXPECT_EQ(gEvents[0].message, 0u);
  EXPECT_EQ(gEvents[0].wParam, 0u);
  EXPECT_EQ(gEvents[0].lParam, 0);
  // Other kinds only take the value into the record, without an event.
  EXPECT_EQ(ZK_FormItemSet(kForm, "titre", "RETURN", "x"), ZK_OK);
  EXPECT_EQ(ZK_FormItemGet(kForm, "titre").field.text, "x");
  EXPECT_EQ(gEvents.size(), 1u);
}

TEST(ItemSet, ChangesMadeByTheItemChangeHandlerAreKept) {
  gEvents.clear();
  Dialog dialog(recordEvent);
  create(dialog, "saisie", ZK_EDIT, "");
  gOnEvent = [] { ZK_FormItemSet(kForm, "saisie", "BKCOL", "red"); };
  EXPECT_EQ(ZK_FormItemSet(kForm, "saisie", "RETURN", "abc"), ZK_OK);
  gOnEvent = nullptr;
  const ItemRecord record = ZK_FormItemGet(kForm, "saisie");
  EXPECT_EQ(record.backColour, 0x0000FF);
  EXPECT_EQ(record.field.text, "abc");
}

TEST(ItemSet, ReturnOnAComboSelectsOrAppendsItsValue) {
  gEvents.clear();
  Dialog dialog(recordEvent);
  const HWND combo = create(dialog, "police", ZK_COMBOSYS,
                            "value1=Arial;value2=Courier New;value3=Times New Roman");
  EXPECT_EQ(ZK_FormItemSet(kForm, "police", "RETURN", "Times New Roman"), ZK_OK);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(ZK_FormItemSet(kForm, "police", "RETURN", "Arial"), ZK_OK);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ZK_FormItemGet(kForm, "police").field.text, "Arial");
  EXPECT_EQ(ZK_FormItemSet(kForm, "police", "RETURN", "cour"), ZK_OK);  // a prefix, any case
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(ZK_FormItemSet(kForm, "police", "RETURN", "Verdana"), ZK_OK);
  EXPECT_EQ(support::listOf(combo),
            (std::vector<std::string>{"Arial", "Courier New", "Times New Roman", "Verdana"}));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
  ASSERT_EQ(gEvents.size(), 4u);
  for (const Event& event : gEvents) {
    EXPECT_EQ(event.item, "police");
    EXPECT_EQ(event.event, ZK_ITEMCHG);
    EXPECT_EQ(event.dialog, nullptr);
  }
}

TEST(ItemSet, AddValueAndClearValueEditTheComboList) {
  gEvents.clear();
  Dialog dialog(recordEvent);
  const HWND combo = create(dialog, "liste", ZK_COMBOSYS, "length=4");
  EXPECT_EQ(ZK_FormItemSet(kForm, "liste", "ADDVALUE", "Premier"), ZK_OK);
  EXPECT_EQ(ZK_FormItemSet(kForm, "liste", "addvalue", "Second"), ZK_OK);
  EXPECT_EQ(support::listOf(combo), (std::vector<std::string>{"Premier", "Second"}));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ZK_FormItemGet(kForm, "liste").field.text, "Prem");  // cut to LENGTH
  EXPECT_TRUE(gEvents.empty());

  EXPECT_EQ(ZK_FormItemSet(kForm, "liste", "CLEARVALUE", ""), ZK_OK);
  EXPECT_TRUE(support::listOf(combo).empty());
  EXPECT_EQ(ZK_FormItemGet(kForm, "liste").field.text, "");

  // The same on a label changes nothing.
  create(dialog, "titre", ZK_STATIC, "value=x", 2);
  ItemRecord before = ZK_FormItemGet(kForm, "titre");
  EXPECT_EQ(ZK_FormItemSet(kForm, "titre", "ADDVALUE", "y"), ZK_OK);
  EXPECT_EQ(ZK_FormItemSet(kForm, "titre", "CLEARVALUE", ""), ZK_OK);
  EXPECT_EQ(ZK_FormItemGet(kForm, "titre").value, before.value);
  EXPECT_EQ(ZK_FormItemGet(kForm, "titre").field.text, before.field.text);
}

TEST(ItemSet, CheckOnASystemCheckBoxLeavesItsMark) {
  Dialog dialog;
  const HWND box = create(dialog, "coche", ZK_CHECKSYS, "");
  EXPECT_EQ(ZK_FormItemSet(kForm, "coche", "CHECK", "true"), ZK_OK);
  EXPECT_TRUE(ZK_FormItemGet(kForm, "coche").field.checkState);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(ItemSet, ChangesRepaintTheItemAtOnce) {
  Dialog dialog;
  const HWND label = create(dialog, "titre", ZK_STATIC, "value=Titre");
  item_test::pump();
  const int before = item_test::host().draws;
  EXPECT_EQ(ZK_FormItemSet(kForm, "titre", "BKCOL", "yellow"), ZK_OK);
  EXPECT_EQ(item_test::host().draws, before + 1);
  EXPECT_EQ(ZK_FormItemRedrawIntl(kForm, "titre"), ZK_OK);
  EXPECT_EQ(item_test::host().draws, before + 2);
  EXPECT_EQ(ZK_FormItemRedrawIntl(kForm, "absent"), ZK_ERR_ITEM_NOT_FOUND);
  EXPECT_NE(label, nullptr);
}

TEST(ItemSet, FailedRepaintIsReturnedWithTheChangeKept) {
  Reports reports;
  Dialog dialog;
  create(dialog, "titre", ZK_STATIC, "");
  ItemRecord record = ZK_FormItemGet(kForm, "titre");
  DestroyWindow(record.hwnd);
  EXPECT_EQ(ZK_FormItemSet(kForm, "titre", "VALUE", "x"), ZK_ERR_INVALIDATE_OR_REDRAW);
  EXPECT_EQ(ZK_FormItemGet(kForm, "titre").value, "x");
  EXPECT_EQ(reports.count(), 0u);
  // An item whose form is not open has no control to repaint: the change alone is made.
  ZK_FormItemAdd(kForm, "plus_tard", ZK_STATIC, 2, 0, 0, 10, 10, "");
  EXPECT_EQ(ZK_FormItemSet(kForm, "plus_tard", "VALUE", "y"), ZK_OK);
  EXPECT_EQ(ZK_FormItemGet(kForm, "plus_tard").value, "y");
}

TEST(ItemByControl, FindsTheFirstItemOfTheFormInKeyOrderWithoutCase) {
  ZK_ItemTableClearIntl();
  const HWND one = reinterpret_cast<HWND>(0x1234);
  ZK_FormItemAdd("Fiche", "zeta", ZK_STATIC, 1, 0, 0, 1, 1, "");
  ZK_FormItemAdd("Fiche", "alpha", ZK_STATIC, 2, 0, 0, 1, 1, "");
  ZK_FormItemAdd("autre", "beta", ZK_STATIC, 1, 0, 0, 1, 1, "");
  for (const char* item : {"zeta"}) {
    ItemRecord record = ZK_FormItemGet("Fiche", item);
    record.hwnd = one;
    ZK_ItemStoreIntl(ZK_ItemKeyIntl("Fiche", item), record);
  }
  ItemRecord other = ZK_FormItemGet("autre", "beta");
  other.hwnd = one;
  ZK_ItemStoreIntl(ZK_ItemKeyIntl("autre", "beta"), other);
  EXPECT_EQ(ZK_FormItemByControlIntl("fiche", one), "zeta");
  EXPECT_EQ(ZK_FormItemByControlIntl("FICHE", one), "zeta");
  EXPECT_EQ(ZK_FormItemByControlIntl("AUTRE", one), "beta");
  EXPECT_EQ(ZK_FormItemByControlIntl("fich", one), "");
  EXPECT_EQ(ZK_FormItemByControlIntl("fiche", reinterpret_cast<HWND>(0x99)), "");
  // No control yet: the first item of the form in key order whose control does not exist.
  EXPECT_EQ(ZK_FormItemByControlIntl("fiche", nullptr), "alpha");
  // An item name with a dot: the form part ends at the first dot.
  ZK_FormItemAdd("Fiche", "a.b", ZK_STATIC, 3, 0, 0, 1, 1, "");
  EXPECT_EQ(ZK_FormItemByControlIntl("fiche", nullptr), "a.b");
}
