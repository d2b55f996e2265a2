// Bad input at the form layer's functions: empty, dotted and 10 000-byte names, unknown kinds,
// types and keywords, property strings of every byte value, huge numbers, a 10 000-character
// caption, long texts typed, returned and added. Each call gives its status, and the form still
// opens, paints and closes without leaving a record or a GDI object behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <vector>

#include "form_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::pump;
using form_test::Reports;
using form_test::textOf;
using form_test::Toolkit;

using support::everyByte;
using support::longText;

const char* const kKinds[] = {ZK_STATIC,   ZK_RECT,  ZK_EDIT,     ZK_BUTTONSYS, ZK_BUTTON,
                              ZK_CHECKSYS, ZK_CHECK, ZK_COMBOSYS, ZK_DATAGRID};

const char* const kKeys[] = {
    ZK_NAME,     ZK_BKCOL,   ZK_TXCOL,    ZK_EDGE,       ZK_MODAL,   ZK_STBAR,   ZK_RESIZE,
    ZK_ENABLE,   ZK_VISIBLE, ZK_PASSWORD, ZK_MULTILINE,  ZK_CHECK,   ZK_VALUE,   ZK_BUTTON,
    ZK_LENGTH,   ZK_FORMAT,  ZK_REMARK,   ZK_NOTNULL,    ZK_EDIT,    ZK_TXHPOS,  ZK_TXVPOS,
    ZK_FTNAME,   ZK_FTSIZE,  ZK_FTBOLD,   ZK_FTITALIC,   ZK_FTULINE, ZK_BRDSIZE, ZK_BRDCOL,
    ZK_BRDSTYLE, ZK_RETURN,  ZK_ADDVALUE, ZK_CLEARVALUE, "VALUE1",   "VALUE2"};

// The attributes a live item takes.
const char* const kSetKeywords[] = {
    ZK_BKCOL,    ZK_TXCOL,  ZK_CHECK,    ZK_ENABLE,    ZK_VISIBLE, ZK_VALUE,   ZK_BUTTON,
    ZK_LENGTH,   ZK_FORMAT, ZK_REMARK,   ZK_NOTNULL,   ZK_EDIT,    ZK_TXHPOS,  ZK_TXVPOS,
    ZK_FTNAME,   ZK_FTSIZE, ZK_FTBOLD,   ZK_FTITALIC,  ZK_FTULINE, ZK_BRDSIZE, ZK_BRDCOL,
    ZK_BRDSTYLE, ZK_RETURN, ZK_ADDVALUE, ZK_CLEARVALUE};

// Opens a modeless form over the items declared so far, lets it paint, and closes and forgets it.
// The toolkit must be back to where it was: no record, no item, no GDI object left.
void openPaintAndForget(const std::string& form, const std::string& properties) {
  const std::size_t windows = ZK_WindowRegistryIntl().size();
  const long objects = ZK_GdiCountIntl();
  ASSERT_EQ(ZK_FormCreate(form, properties, 10, 10, 600, 400, form_test::recordEvent), ZK_OK);
  HWND dialog = dialogOf(form);
  ASSERT_TRUE(IsWindow(dialog));
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  pump();
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(ZK_FormClose(form), ZK_OK);
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), windows);
  EXPECT_EQ(ZK_ItemTableIntl().size(), 0u);
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
}

TEST(FormBadInput, ItemDeclarationsRefusedWithTheirStatusAndNothingStored) {
  Reports reports;
  Toolkit toolkit;
  const struct {
    std::string form;
    std::string item;
    std::string kind;
    std::string properties;
    int status;
  } cases[] = {
      {"", "i", ZK_STATIC, "", ZK_ERR_NAME_EMPTY},
      {"", "", "", "", ZK_ERR_NAME_EMPTY},
      {"f", "", ZK_STATIC, "", ZK_ERR_ITEM_NOT_FOUND},
      {"f", "i", "", "", ZK_ERR_ITEM_KIND},
      {"f", "i", "static", "", ZK_ERR_ITEM_KIND},
      {"f", "i", "STATIC ", "", ZK_ERR_ITEM_KIND},
      {"f", "i", everyByte(0), "", ZK_ERR_ITEM_KIND},
      {"f", "i", std::string(10000, 'K'), "", ZK_ERR_ITEM_KIND},
      {"f", "i", ZK_EDIT, "type=texte", ZK_ERR_DATA_TYPE},
      {"f", "i", ZK_EDIT, "type=" + everyByte(1), ZK_ERR_DATA_TYPE},
      {"f", "i", ZK_STATIC, "type=string", ZK_ERR_TYPE_NOT_ALLOWED},
      {"f", "i", ZK_EDIT, "type=currency", ZK_ERR_FORMAT_MISSING},
      {"f", "i", ZK_STATIC, "brdstyle=double;type=bad", ZK_ERR_BORDER_STYLE},
      {"f", "i", ZK_RECT, "brdstyle=" + everyByte(0x80), ZK_ERR_BORDER_STYLE},
  };
  for (const auto& c : cases) {
    const std::size_t before = reports.count();
    EXPECT_EQ(ZK_FormItemAdd(c.form, c.item, c.kind, 1, 0, 0, 10, 10, c.properties), c.status)
        << c.kind.substr(0, 20) << " " << c.properties.substr(0, 20);
    EXPECT_EQ(reports.count(), before + 1);
    EXPECT_TRUE(ZK_ItemTableIntl().empty());
  }
  ASSERT_EQ(ZK_FormItemAdd("f", "i", ZK_STATIC, 1, 0, 0, 10, 10, ""), ZK_OK);
  EXPECT_EQ(ZK_FormItemAdd("f", "i", ZK_EDIT, 2, 0, 0, 10, 10, ""), ZK_ERR_ITEM_EXISTS);
  EXPECT_EQ(ZK_FormItemGet("f", "i").kind, ZK_STATIC);
  EXPECT_EQ(ZK_ItemTableIntl().size(), 1u);
}

TEST(FormBadInput, HugeNumbersAreReadToTheirDefaults) {
  Reports reports;
  Toolkit toolkit;
  const struct {
    const char* properties;
    int length;
    int fontSize;
    int borderSize;
  } cases[] = {
      {"length=2147483647;ftsize=2147483647;brdsize=2147483647", INT_MAX, 10, 0},
      {"length=-2147483648;ftsize=-2147483648;brdsize=-2147483648", INT_MIN, 10, 0},
      // Beyond 32 bits a number reads as 0.
      {"length=99999999999999999999;ftsize=99999999999;brdsize=4294967312", 0, 10, 0},
      {"length=0x10;ftsize=0x10;brdsize=0x10", 0, 10, 0},
      {"length= 12abc ;ftsize=256;brdsize=16", 12, 256, 16},
  };
  int row = 0;
  for (const auto& c : cases) {
    const std::string item = "i" + std::to_string(row++);
    ASSERT_EQ(ZK_FormItemAdd("fiche", item, ZK_EDIT, row, 10, 10 + 30 * row, 200, 25, c.properties),
              ZK_OK);
    const ItemRecord record = ZK_FormItemGet("fiche", item);
    EXPECT_EQ(record.length, c.length) << c.properties;
    EXPECT_EQ(record.fontSize, c.fontSize) << c.properties;
    EXPECT_EQ(record.borderSize, c.borderSize) << c.properties;
  }
  // A negative or huge limit still gives working edit controls.
  openPaintAndForget("fiche", "");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormBadInput, PropertyStringsOfEveryByteValueOpenAndPaint) {
  Reports reports;
  Toolkit toolkit;
  // For every kind, one item whose every key holds every byte value, and one whose string is the
  // bytes themselves around a few real entries. BRDSTYLE and TYPE are left out of the first, as
  // those refuse unknown words.
  int order = 0;
  for (const char* kind : kKinds) {
    std::string properties;
    for (const char* key : kKeys) {
      const std::string k = key;
      if (k == ZK_BRDSTYLE || k == ZK_TYPE) continue;
      properties += k + "=" + everyByte(0x3C + order) + ";";
    }
    ++order;
    EXPECT_EQ(ZK_FormItemAdd("octets", std::string("a") + kind, kind, order, 10 * order, 10, 60, 25,
                             properties),
              ZK_OK)
        << kind;
    ++order;
    const std::string around = everyByte(order) + ";value=Octets;bkcol=" + everyByte(0) +
                               ";ftname=Arial;ftsize=12;brdsize=2;" + everyByte(0x80);
    EXPECT_EQ(ZK_FormItemAdd("octets", std::string("b") + kind, kind, order, 10 * order, 60, 60, 25,
                             around),
              ZK_OK)
        << kind;
  }
  EXPECT_EQ(ZK_ItemTableIntl().size(), 2 * std::size(kKinds));
  // The form itself reads BKCOL, EDGE, NAME, STBAR and MODAL from bytes as well.
  openPaintAndForget("octets", "modal=no;" + everyByte(0) + ";name=" + everyByte(1));
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormBadInput, LongAndDottedNamesFollowTheRules) {
  Reports reports;
  Toolkit toolkit;
  const std::string form = longText(10000, "fiche");
  const std::string item = longText(10000, "champ");
  ASSERT_EQ(ZK_FormItemAdd(form, item, ZK_EDIT, 1, 10, 10, 200, 25, "value=Long"), ZK_OK);
  // Dotted item names are stored; opening the form reports 26 for them and goes on.
  ASSERT_EQ(ZK_FormItemAdd(form, "a.b", ZK_BUTTON, 2, 10, 50, 100, 30, "value=Point"), ZK_OK);
  ASSERT_EQ(ZK_FormItemAdd(form, "suite", ZK_BUTTON, 3, 10, 90, 100, 30, "value=Suite"), ZK_OK);
  ASSERT_EQ(ZK_FormCreate(form, "", 10, 10, 400, 300, form_test::recordEvent), ZK_OK);
  EXPECT_EQ(textOf(controlOf(form, item)), "Long");
  EXPECT_EQ(controlOf(form, "a.b"), nullptr);
  EXPECT_NE(controlOf(form, "suite"), nullptr);
  EXPECT_EQ(reports.count(), 1u);
  EXPECT_NE(reports.texts().back().find("Error number : 26"), std::string::npos);
  EXPECT_EQ(ZK_FormItemSet(form, item, ZK_RETURN, "Lu"), ZK_OK);
  EXPECT_EQ(textOf(controlOf(form, item)), "Lu");
  SendMessageA(dialogOf(form), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ZK_FormClose(form), ZK_OK);
  EXPECT_TRUE(ZK_ItemTableIntl().empty());

  // Form names: empty, dotted, unknown.
  const std::size_t before = reports.count();
  EXPECT_EQ(ZK_FormCreate("", "", 0, 0, 100, 100, nullptr), ZK_ERR_NAME_EMPTY);
  EXPECT_EQ(ZK_FormCreate(".", "", 0, 0, 100, 100, nullptr), ZK_ERR_NAME_HAS_DOT);
  EXPECT_EQ(ZK_FormCreate(form + ".", "", 0, 0, 100, 100, nullptr), ZK_ERR_NAME_HAS_DOT);
  EXPECT_EQ(ZK_FormClose(""), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(ZK_FormClose(form), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(reports.count(), before + 5);
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), 1u);
  // The active form name the refused calls set names no live dialog; a good form still opens.
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ok", ZK_BUTTON, 1, 10, 10, 80, 30, "button=ok"), ZK_OK);
  openPaintAndForget("fiche", "name=Apr\xE8s");
}

TEST(FormBadInput, CaptionOfTenThousandCharactersIsShownWhole) {
  Reports reports;
  Toolkit toolkit;
  const std::string caption = longText(10000, "L\xE9gende ");
  ASSERT_EQ(ZK_FormItemAdd("fiche", "texte", ZK_STATIC, 1, 10, 10, 200, 25, "value=" + caption),
            ZK_OK);
  ASSERT_EQ(ZK_FormCreate("fiche", "name=" + caption, 10, 10, 500, 300, nullptr), ZK_OK);
  HWND dialog = dialogOf("fiche");
  ASSERT_TRUE(IsWindow(dialog));
  EXPECT_EQ(support::windowText(dialog), caption);
  EXPECT_EQ(GetWindowTextLengthW(dialog), 10000);
  UpdateWindow(dialog);
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ZK_FormClose("fiche"), ZK_OK);
  EXPECT_EQ(reports.count(), 0u);
}

class LiveForm : public ::testing::Test {
 protected:
  void SetUp() override {
    objects_ = ZK_GdiCountIntl();
    const struct {
      const char* item;
      const char* kind;
      const char* properties;
    } items[] = {
        {"statique", ZK_STATIC, "value=Texte;ftname=Arial;brdsize=1"},
        {"cadre", ZK_RECT, "brdstyle=3DOUT"},
        {"saisie", ZK_EDIT, "remark=Saisie"},
        {"bouton", ZK_BUTTON, "value=Bouton"},
        {"systeme", ZK_BUTTONSYS, ""},
        {"coche", ZK_CHECK, "brdstyle=3DIN"},
        {"cochesys", ZK_CHECKSYS, ""},
        {"liste", ZK_COMBOSYS, "edit=yes;value1=un;value2=deux"},
        {"grille", ZK_DATAGRID, ""},
    };
    int order = 0;
    for (const auto& i : items) {
      ++order;
      ASSERT_EQ(ZK_FormItemAdd("fiche", i.item, i.kind, order, 10 + 60 * (order % 5),
                               10 + 40 * (order / 5), 55, 30, i.properties),
                ZK_OK);
    }
    ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 500, 300, form_test::recordEvent), ZK_OK);
    dialog_ = dialogOf("fiche");
    ASSERT_TRUE(IsWindow(dialog_));
  }
  void TearDown() override {
    SendMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(ZK_FormClose("fiche"), ZK_OK);
    EXPECT_TRUE(ZK_ItemTableIntl().empty());
    EXPECT_EQ(ZK_GdiCountIntl(), objects_);
  }
  Reports reports_;
  Toolkit toolkit_;
  long objects_ = 0;
  HWND dialog_ = nullptr;
};

const char* const kLiveItems[] = {"statique", "cadre",    "saisie", "bouton", "systeme",
                                  "coche",    "cochesys", "liste",  "grille"};

TEST_F(LiveForm, RunTimeChangesWithBadNamesAndKeywordsChangeNothing) {
  const ItemRecord before = ZK_FormItemGet("fiche", "statique");
  const std::string badKeywords[] = {"",          "COLOR", "bkcol ", " BKCOL",
                                     "BKCOL;",    "TYPE",  "NAME",   std::string(10000, 'B'),
                                     everyByte(0)};
  for (const std::string& keyword : badKeywords)
    EXPECT_EQ(ZK_FormItemSet("fiche", "statique", keyword, "red"), ZK_ERR_KEYWORD_UNKNOWN);
  const std::string badItems[] = {"", "inconnu", "Statique", "fiche.statique",
                                  std::string(10000, 's')};
  for (const std::string& item : badItems) {
    EXPECT_EQ(ZK_FormItemSet("fiche", item, ZK_VISIBLE, "no"), ZK_ERR_ITEM_NOT_FOUND);
    EXPECT_EQ(ZK_FormItemSet("", item, ZK_ENABLE, "no"), ZK_ERR_ITEM_NOT_FOUND);
  }
  const ItemRecord after = ZK_FormItemGet("fiche", "statique");
  EXPECT_EQ(after.backColour, before.backColour);
  EXPECT_TRUE(IsWindowVisible(after.hwnd));
  EXPECT_EQ(reports_.count(), 0u);
}

TEST_F(LiveForm, EveryKeywordTakesEveryByteAndHugeNumbersOnEveryKind) {
  const std::string values[] = {
      everyByte(0), everyByte(0x80), "2147483647", "-2147483648", "99999999999999", "-1", ""};
  for (const char* item : kLiveItems) {
    for (const char* key : kSetKeywords) {
      for (const std::string& value : values)
        ASSERT_EQ(ZK_FormItemSet("fiche", item, key, value), ZK_OK) << item << " " << key;
    }
    // Back to sane values, and the item still paints.
    for (const char* key : {ZK_FTSIZE, ZK_BRDSIZE}) ZK_FormItemSet("fiche", item, key, "2");
    ZK_FormItemSet("fiche", item, ZK_BRDSTYLE, "SOLID");
    ZK_FormItemSet("fiche", item, ZK_VISIBLE, "yes");
    EXPECT_EQ(ZK_FormItemSet("fiche", item, ZK_VALUE, "Encore"), ZK_OK) << item;
  }
  pump();
  EXPECT_TRUE(IsWindow(dialog_));
  // Painting with the unknown border styles set above reports 25 and goes on drawing.
  for (const std::string& text : reports_.texts())
    EXPECT_NE(text.find("Error number : 25"), std::string::npos) << text;
}

TEST_F(LiveForm, LongReturnedAndAddedTextsAreKeptWhole) {
  const std::string text = longText(10000, "valeur ");
  HWND edit = controlOf("fiche", "saisie");
  ASSERT_EQ(ZK_FormItemSet("fiche", "saisie", ZK_RETURN, text), ZK_OK);
  EXPECT_EQ(support::windowText(edit), text);
  EXPECT_EQ(ZK_FormItemGet("fiche", "saisie").field.text, text);

  HWND combo = controlOf("fiche", "liste");
  ASSERT_EQ(ZK_FormItemSet("fiche", "liste", ZK_RETURN, text), ZK_OK);
  EXPECT_EQ(ZK_FormItemGet("fiche", "liste").field.text, text);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  ASSERT_EQ(selected, 2);
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0), 10000);

  ASSERT_EQ(ZK_FormItemSet("fiche", "liste", ZK_ADDVALUE, everyByte(1).substr(0, 255)), ZK_OK);
  ASSERT_EQ(ZK_FormItemSet("fiche", "liste", ZK_ADDVALUE, text), ZK_OK);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 4, 0), 10000);
  // ADDVALUE selects the first entry and takes its text.
  EXPECT_EQ(ZK_FormItemGet("fiche", "liste").field.text, "un");

  ASSERT_EQ(ZK_FormItemSet("fiche", "liste", ZK_CLEARVALUE, text), ZK_OK);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
  // Texts on items without a list change the record only.
  EXPECT_EQ(ZK_FormItemSet("fiche", "statique", ZK_RETURN, text), ZK_OK);
  EXPECT_EQ(ZK_FormItemSet("fiche", "grille", ZK_ADDVALUE, text), ZK_OK);
  EXPECT_EQ(reports_.count(), 0u);
}

TEST_F(LiveForm, AnEditTextOfFiveThousandCharactersAtExit) {
  const std::string text = longText(5000, "saisie ");
  HWND edit = controlOf("fiche", "saisie");
  form_test::take();
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_SETFOCUS),
               reinterpret_cast<LPARAM>(edit));
  SetWindowTextA(edit, text.c_str());
  ASSERT_EQ(support::windowText(edit), text);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(edit));
  // What the field shows after its exit is what the item holds, and it begins as typed.
  const ItemRecord record = ZK_FormItemGet("fiche", "saisie");
  EXPECT_EQ(support::windowText(edit), record.field.text);
  EXPECT_GE(record.field.text.size(), 1023u);
  EXPECT_EQ(text.compare(0, record.field.text.size(), record.field.text), 0);
  const std::vector<std::string> events = form_test::take();
  EXPECT_NE(std::find(events.begin(), events.end(), "ITEMCHG fiche.saisie WM_COMMAND/EN_KILLFOCUS"),
            events.end());
  // The form goes on: a short text now is taken whole.
  form_test::retype(edit, "court");
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(ZK_FormItemGet("fiche", "saisie").field.text, "court");
  EXPECT_EQ(reports_.count(), 0u);
}

}  // namespace
