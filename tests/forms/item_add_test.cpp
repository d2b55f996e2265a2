// Declaring items: statuses in their order, and how each property is read into the record.
#include <gtest/gtest.h>

#include "item_test_host.h"

using item_test::kForm;
using item_test::Reports;

namespace {

ItemRecord declare(const std::string& kind, const std::string& properties) {
  ZK_ItemTableClearIntl();
  EXPECT_EQ(ZK_FormItemAdd(kForm, "champ", kind, 1, 1, 2, 3, 4, properties), ZK_OK) << properties;
  return ZK_FormItemGet(kForm, "champ");
}

}  // namespace

TEST(ItemAdd, RefusalsComeInTheirOrderAndStoreNothing) {
  Reports reports;
  struct Case {
    const char* form;
    const char* item;
    const char* kind;
    const char* properties;
    int status;
  } cases[] = {
      {"", "", "BLAH", "", ZK_ERR_NAME_EMPTY},
      {kForm, "", "BLAH", "", ZK_ERR_ITEM_NOT_FOUND},
      {kForm, "existe", "BLAH", "", ZK_ERR_ITEM_EXISTS},
      {kForm, "a", "static", "", ZK_ERR_ITEM_KIND},
      {kForm, "a", "STATIC", "type=static", ZK_ERR_DATA_TYPE},
      {kForm, "a", "STATIC", "type=date;format=dd/mm/yyyy", ZK_ERR_TYPE_NOT_ALLOWED},
      {kForm, "a", "EDIT", "type=date", ZK_ERR_FORMAT_MISSING},
      {kForm, "a", "EDIT", "type=Currency", ZK_ERR_FORMAT_MISSING},
      {kForm, "a", "STATIC", "brdstyle=double;type=nonsense", ZK_ERR_BORDER_STYLE},
      {kForm, "a", "EDIT", "type=date;brdstyle=x", ZK_ERR_BORDER_STYLE},
  };
  ZK_ItemTableClearIntl();
  ASSERT_EQ(ZK_FormItemAdd(kForm, "existe", ZK_STATIC, 1, 0, 0, 1, 1, ""), ZK_OK);
  for (const Case& c : cases) {
    const std::size_t before = reports.count();
    EXPECT_EQ(ZK_FormItemAdd(c.form, c.item, c.kind, 1, 0, 0, 1, 1, c.properties), c.status)
        << c.kind << " " << c.properties;
    EXPECT_EQ(reports.count(), before + 1);
    EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_FormItemAdd");
    EXPECT_EQ(ZK_ItemTableIntl().size(), 1u);
  }
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "fiche.a");
}

TEST(ItemAdd, SuccessRestoresTheContextAndAcceptsEveryKind) {
  Reports reports;
  ZK_ContextSetIntl("avant", "Avant");
  const char* kinds[] = {ZK_STATIC,   ZK_RECT,  ZK_EDIT,     ZK_BUTTONSYS, ZK_BUTTON,
                         ZK_CHECKSYS, ZK_CHECK, ZK_COMBOSYS, ZK_DATAGRID};
  int order = 1;
  for (const char* kind : kinds) {
    const std::string item = std::string("i") + kind;
    EXPECT_EQ(ZK_FormItemAdd(kForm, item, kind, order, 5, 6, 7, 8, "a=b;value=x"), ZK_OK);
    const ItemRecord record = ZK_FormItemGet(kForm, item);
    EXPECT_EQ(record.kind, kind);
    EXPECT_EQ(record.order, order++);
    EXPECT_EQ(record.x + record.y + record.width + record.height, 26);
    EXPECT_EQ(record.properties, "a=b;value=x");
    EXPECT_EQ(record.value, "x");
    EXPECT_EQ(record.hwnd, nullptr);
    EXPECT_EQ(record.controlId, 0);
    EXPECT_EQ(record.field.text, "");
  }
  EXPECT_EQ(reports.count(), 0u);
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "avant");
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "Avant");
  // Declared for a form that is not open, and with a dot in its name: both are stored.
  EXPECT_EQ(ZK_FormItemAdd("absente", "a.b", ZK_STATIC, 1, 0, 0, 1, 1, ""), ZK_OK);
  EXPECT_EQ(ZK_FormItemGet("absente", "a.b").kind, ZK_STATIC);
}

TEST(ItemAdd, NumbersAreReadWithTheirRanges) {
  struct Case {
    const char* properties;
    int fontSize;
    int borderSize;
    int length;
  } cases[] = {
      {"", 10, 0, 0},
      {"ftsize=0;brdsize=17;length=abc", 10, 0, 0},
      {"ftsize=257;brdsize=-1;length=-5", 10, 0, -5},
      {"ftsize=abc;brdsize=16;length=30", 10, 16, 30},
      {"FTSIZE=256;BRDSIZE=0", 256, 0, 0},
      {"ftsize= 1 ;brdsize=3", 1, 3, 0},
  };
  for (const Case& c : cases) {
    const ItemRecord record = declare(ZK_STATIC, c.properties);
    EXPECT_EQ(record.fontSize, c.fontSize) << c.properties;
    EXPECT_EQ(record.borderSize, c.borderSize) << c.properties;
    EXPECT_EQ(record.length, c.length) << c.properties;
  }
}

TEST(ItemAdd, PositionsColoursAndWordsAreRead) {
  struct Case {
    const char* properties;
    int h, v;
    std::int32_t back, text, border;
    bool enabled, visible;
  } cases[] = {
      {"", -1, -1, -1, -1, 0, true, true},
      {"txhpos=left;txvpos=center;bkcol=black", -1, 0, 0, -1, 0, true, true},
      {"txhpos=1;txvpos=BOTTOM;txcol=red;brdcol=blue", -1, 1, -1, 0x0000FF, 0xFF0000, true, true},
      {"txhpos=center;txvpos=top;bkcol=FF00;enable=no;visible=F", 0, -1, 0xFF00, -1, 0, false,
       false},
      {"txhpos=Right;txvpos=0;enable=F;visible=false", 1, -1, -1, -1, 0, false, false},
      {"enable=false;visible=N", -1, -1, -1, -1, 0, false, false},
      {"enable=0;visible=maybe", -1, -1, -1, -1, 0, true, true},
      {"enable=yes;visible=true", -1, -1, -1, -1, 0, true, true},
  };
  for (const Case& c : cases) {
    const ItemRecord record = declare(ZK_STATIC, c.properties);
    EXPECT_EQ(record.textHPos, c.h) << c.properties;
    EXPECT_EQ(record.textVPos, c.v) << c.properties;
    EXPECT_EQ(record.backColour, c.back) << c.properties;
    EXPECT_EQ(record.textColour, c.text) << c.properties;
    EXPECT_EQ(record.borderColour, c.border) << c.properties;
    EXPECT_EQ(record.enabled, c.enabled) << c.properties;
    EXPECT_EQ(record.visible, c.visible) << c.properties;
  }
}

TEST(ItemAdd, TextsFlagsAndBorderStyleAreRead) {
  const ItemRecord record =
      declare(ZK_EDIT,
              "value= Bonjour ;button=ok;remark=Aide;format=dd/mm/yyyy;ftname=Arial;ftbold=y;"
              "ftitalic=T;ftuline=yes;notnull=true;edit=Y;check=y;password=yes;multiline=t;"
              "brdstyle=3din;type=date;return=x;addvalue=y");
  EXPECT_EQ(record.value, "Bonjour");
  EXPECT_EQ(record.buttonRole, "OK");
  EXPECT_EQ(record.remark, "Aide");
  EXPECT_EQ(record.format, "dd/mm/yyyy");
  EXPECT_EQ(record.fontName, "Arial");
  EXPECT_TRUE(record.fontBold && record.fontItalic && record.fontUnderline);
  EXPECT_TRUE(record.notNull && record.editable && record.password && record.multiLine);
  EXPECT_TRUE(record.checked);
  EXPECT_TRUE(record.field.checkState);
  EXPECT_EQ(record.borderStyle, "3DIN");
  EXPECT_EQ(record.type, ZK_DATE);

  const ItemRecord plain = declare(ZK_EDIT, "ftbold=1;check=on;notnull=0");
  EXPECT_FALSE(plain.fontBold || plain.checked || plain.notNull || plain.field.checkState);
  EXPECT_EQ(plain.borderStyle, "SOLID");
  EXPECT_EQ(declare(ZK_STATIC, "brdstyle=3dOut").borderStyle, "3DOUT");
}

TEST(ItemAdd, EachKeywordIsReadFromItsFirstEntryWhereverItStands) {
  // The first entry of a key counts; an entry's key is what stands before its first "=", letter
  // case ignored; a leading blank makes another key; a text without "=" is no entry.
  ItemRecord record = declare(ZK_STATIC,
                              "Remark=un=deux;remark=trois; ftsize=20;bkcol;txcol=red;"
                              "value=;brdsize=2;BrdSize=5");
  EXPECT_EQ(record.remark, "un=deux");
  EXPECT_EQ(record.fontSize, 10);
  EXPECT_EQ(record.backColour, -1);
  EXPECT_EQ(record.textColour, 0x0000FF);
  EXPECT_EQ(record.value, "");
  EXPECT_EQ(record.borderSize, 2);

  // However many entries come before them.
  std::string many;
  for (int i = 0; i < 40; ++i) many += "x" + std::to_string(i) + "=" + std::to_string(i) + ";";
  record = declare(ZK_STATIC, many + "remark=fin;ftsize=12");
  EXPECT_EQ(record.remark, "fin");
  EXPECT_EQ(record.fontSize, 12);
  EXPECT_EQ(record.borderStyle, "SOLID");
  EXPECT_TRUE(record.enabled && record.visible);
}

TEST(ItemAdd, StringIsTheDefaultTypeOfInputItemsOnly) {
  EXPECT_EQ(declare(ZK_EDIT, "").type, ZK_STRING);
  EXPECT_EQ(declare(ZK_COMBOSYS, "").type, ZK_STRING);
  EXPECT_EQ(declare(ZK_COMBOSYS, "type=date").type, ZK_DATE);
  EXPECT_EQ(declare(ZK_EDIT, "type=currency;format=999,88").type, ZK_CURRENCY);
  for (const char* kind :
       {ZK_STATIC, ZK_RECT, ZK_BUTTON, ZK_BUTTONSYS, ZK_CHECK, ZK_CHECKSYS, ZK_DATAGRID}) {
    EXPECT_EQ(declare(kind, "").type, "") << kind;
  }
}

TEST(ItemAdd, CheckItemsGetColoursByBorderStyleAndAFrame) {
  const ItemRecord raised = declare(ZK_CHECK, "brdstyle=3DOUT");
  EXPECT_EQ(raised.backColour, 0xFFFFFF);
  EXPECT_EQ(raised.textColour, 0);
  EXPECT_EQ(raised.borderSize, 1);
  const ItemRecord coloured = declare(ZK_CHECK, "brdstyle=3DIN;bkcol=red;txcol=blue;brdsize=4");
  EXPECT_EQ(coloured.backColour, 0x0000FF);
  EXPECT_EQ(coloured.textColour, 0xFF0000);
  EXPECT_EQ(coloured.borderSize, 4);
  const ItemRecord solid = declare(ZK_CHECK, "");
  EXPECT_EQ(solid.backColour, -1);
  EXPECT_EQ(solid.textColour, -1);
  EXPECT_EQ(solid.borderSize, 1);
  // Other kinds keep a zero border.
  EXPECT_EQ(declare(ZK_CHECKSYS, "brdstyle=3DOUT").borderSize, 0);
}

TEST(ItemGet, UnknownItemsGiveTheEmptyRecord) {
  ZK_ItemTableClearIntl();
  ZK_FormItemAdd(kForm, "reel", ZK_STATIC, 1, 0, 0, 1, 1, "bkcol=red");
  for (const auto& [form, item] :
       {std::pair<const char*, const char*>{kForm, "absent"}, {"FICHE", "reel"}, {"", ""}}) {
    const ItemRecord record = ZK_FormItemGet(form, item);
    EXPECT_EQ(record.kind, "");
    EXPECT_TRUE(record.enabled);
    EXPECT_TRUE(record.visible);
    EXPECT_EQ(record.textHPos, -1);
    EXPECT_EQ(record.textVPos, -1);
    EXPECT_EQ(record.borderColour, -1);
    EXPECT_EQ(record.backColour, 0);
    EXPECT_EQ(record.textColour, 0);
    EXPECT_EQ(record.fontSize, 0);
    EXPECT_EQ(record.borderStyle, "");
    EXPECT_FALSE(record.field.checkState);
  }
}
