// The item keywords, one row each: how a declaration reads it, how a run-time change reads it,
// and what a change does to the control. ZK_FormItemAdd and ZK_FormItemSet both read this table.
#include <climits>
#include <string_view>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

constexpr ZK_Range kAny{INT_MIN, INT_MAX, 0};

using R = ZK_Reading;
using N = ZK_Native;

// clang-format off
const std::vector<ZK_ItemKeyword> kKeywords = {
  // keyword      field                        declared            range         changed                native         field of a change
  {ZK_VALUE,      &ItemRecord::value,          R::kText,           kAny,         R::kText,              N::kNone,      {}},
  {ZK_BUTTON,     &ItemRecord::buttonRole,     R::kUpper,          kAny,         R::kText,              N::kNone,      {}},
  {ZK_REMARK,     &ItemRecord::remark,         R::kText,           kAny,         R::kText,              N::kNone,      {}},
  {ZK_LABEL,      &ItemRecord::label,          R::kText,           kAny,         R::kText,              N::kNone,      {}},
  {ZK_FORMAT,     &ItemRecord::format,         R::kText,           kAny,         R::kText,              N::kNone,      {}},
  {ZK_TXHPOS,     &ItemRecord::textHPos,       R::kHorizontal,     kAny,         R::kHorizontalOrDigit, N::kNone,      {}},
  {ZK_TXVPOS,     &ItemRecord::textVPos,       R::kVertical,       kAny,         R::kVerticalOrDigit,   N::kNone,      {}},
  {ZK_FTNAME,     &ItemRecord::fontName,       R::kText,           kAny,         R::kText,              N::kNone,      {}},
  {ZK_FTSIZE,     &ItemRecord::fontSize,       R::kDecimal,        {1, 256, 10}, R::kDecimal,           N::kNone,      {}},
  {ZK_FTBOLD,     &ItemRecord::fontBold,       R::kTrue,           kAny,         R::kTrue,              N::kNone,      {}},
  {ZK_FTITALIC,   &ItemRecord::fontItalic,     R::kTrue,           kAny,         R::kTrue,              N::kNone,      {}},
  {ZK_FTULINE,    &ItemRecord::fontUnderline,  R::kTrue,           kAny,         R::kTrue,              N::kNone,      {}},
  {ZK_LENGTH,     &ItemRecord::length,         R::kDecimal,        kAny,         R::kDecimal,           N::kNone,      {}},
  {ZK_NOTNULL,    &ItemRecord::notNull,        R::kTrue,           kAny,         R::kTrue,              N::kNone,      {}},
  {ZK_BKCOL,      &ItemRecord::backColour,     R::kColourOrUnset,  kAny,         R::kColour,            N::kNone,      {}},
  {ZK_TXCOL,      &ItemRecord::textColour,     R::kColourOrUnset,  kAny,         R::kColour,            N::kNone,      {}},
  {ZK_BRDSTYLE,   &ItemRecord::borderStyle,    R::kBorderStyle,    kAny,         R::kText,              N::kNone,      {}},
  {ZK_BRDSIZE,    &ItemRecord::borderSize,     R::kDecimal,        {0, 16, 0},   R::kDecimal,           N::kNone,      {}},
  {ZK_BRDCOL,     &ItemRecord::borderColour,   R::kColour,         kAny,         R::kColour,            N::kNone,      {}},
  {ZK_TYPE,       &ItemRecord::type,           R::kUpper,          kAny,         R::kNone,              N::kNone,      {}},
  {ZK_EDIT,       &ItemRecord::editable,       R::kTrue,           kAny,         R::kTrue,              N::kNone,      {}},
  {ZK_CHECK,      &ItemRecord::checked,        R::kTrue,           kAny,         R::kTrue,              N::kNone,      &FieldValue::checkState},
  {ZK_ENABLE,     &ItemRecord::enabled,        R::kNotFalse,       kAny,         R::kNotFalse,          N::kEnable,    {}},
  {ZK_VISIBLE,    &ItemRecord::visible,        R::kNotFalse,       kAny,         R::kNotFalse,          N::kShow,      {}},
  {ZK_PASSWORD,   &ItemRecord::password,       R::kTrue,           kAny,         R::kNone,              N::kNone,      {}},
  {ZK_MULTILINE,  &ItemRecord::multiLine,      R::kTrue,           kAny,         R::kNone,              N::kNone,      {}},
  {ZK_RETURN,     {},                          R::kNone,           kAny,         R::kText,              N::kReturn,    &FieldValue::text},
  {ZK_ADDVALUE,   {},                          R::kNone,           kAny,         R::kText,              N::kAddValue,  {}},
  {ZK_CLEARVALUE, {},                          R::kNone,           kAny,         R::kText,              N::kClearValue, {}},
  {ZK_ANCHOR,     &ItemRecord::anchor,         R::kAnchor,         kAny,         R::kAnchor,            N::kAnchor,    {}},
  {ZK_PLACE,      {},                          R::kNone,           kAny,         R::kText,              N::kPlace,     {}},
};
// clang-format on

int position(const std::string& text, const char* one, bool digits) {
  const std::string word = ZK_UpperIntl(text);
  if (word == "CENTER" || (digits && word == "0")) return 0;
  if (word == one || (digits && word == "1")) return 1;
  return -1;
}

void read(const ZK_ItemField& field, ZK_Reading reading, const std::string& value,
          ItemRecord& record) {
  std::string word;
  int number = 0;
  bool flag = false;
  switch (reading) {
    case R::kNone:
      return;
    case R::kText:
      word = value;
      break;
    case R::kUpper:
      word = ZK_UpperIntl(value);
      break;
    case R::kBorderStyle:
      word = value.empty() ? "SOLID" : ZK_UpperIntl(value);
      break;
    case R::kTrue:
      flag = ZK_IsTrueIntl(value);
      break;
    case R::kNotFalse:
      flag = !ZK_IsFalseIntl(value);
      break;
    case R::kDecimal:
      number = ZK_TextToIntIntl(value, 10);
      break;
    case R::kColour:
      number = static_cast<int>(ZK_ColourIntl(value));
      break;
    case R::kColourOrUnset:
      number = value.empty() ? -1 : static_cast<int>(ZK_ColourIntl(value));
      break;
    case R::kHorizontal:
    case R::kHorizontalOrDigit:
      number = position(value, "RIGHT", reading == R::kHorizontalOrDigit);
      break;
    case R::kVertical:
    case R::kVerticalOrDigit:
      number = position(value, "BOTTOM", reading == R::kVerticalOrDigit);
      break;
    case R::kAnchor:
      ZK_AnchorReadIntl(value, &number);
      break;
  }
  if (field.text != nullptr) record.*field.text = word;
  if (field.number != nullptr) record.*field.number = number;
  if (field.flag != nullptr) record.*field.flag = flag;
  if (field.valueText != nullptr) record.field.*field.valueText = word;
  if (field.valueFlag != nullptr) record.field.*field.valueFlag = flag;
}

void readDeclared(const ZK_ItemKeyword& keyword, const std::string& value, ItemRecord& record) {
  read(keyword.field, keyword.declared, value, record);
  if (keyword.field.number == nullptr) return;
  int& number = record.*keyword.field.number;
  if (number < keyword.range.low || number > keyword.range.high) number = keyword.range.outside;
}

// What each keyword a declaration leaves out reads as: the same for every item, read once, so
// that a declaration reads only the keywords it gives (most give a few of thirty).
const ItemRecord& declaredDefaults() {
  static const ItemRecord defaults = [] {
    ItemRecord record = ZK_ItemEmptyIntl();
    for (const ZK_ItemKeyword& keyword : kKeywords) readDeclared(keyword, "", record);
    return record;
  }();
  return defaults;
}

void copyField(const ZK_ItemField& field, const ItemRecord& from, ItemRecord& to) {
  if (field.text != nullptr) to.*field.text = from.*field.text;
  if (field.number != nullptr) to.*field.number = from.*field.number;
  if (field.flag != nullptr) to.*field.flag = from.*field.flag;
  if (field.valueText != nullptr) to.field.*field.valueText = from.field.*field.valueText;
  if (field.valueFlag != nullptr) to.field.*field.valueFlag = from.field.*field.valueFlag;
}

}  // namespace

const std::vector<ZK_ItemKeyword>& ZK_ItemKeywordsIntl() {
  return kKeywords;
}

const ZK_ItemKeyword* ZK_ItemKeywordIntl(const std::string& name) {
  for (const ZK_ItemKeyword& keyword : kKeywords)
    if (name == keyword.name) return &keyword;
  return nullptr;
}

void ZK_ItemKeywordsDeclareIntl(const std::string& properties, ItemRecord& record) {
  const std::vector<std::string_view> keys = ZK_PropertyKeysIntl(properties);
  for (const ZK_ItemKeyword& keyword : kKeywords) {
    if (keyword.declared == R::kNone) continue;
    if (!ZK_PropertyKeyInIntl(keys, keyword.name)) {
      copyField(keyword.field, declaredDefaults(), record);
    } else {
      readDeclared(keyword, ZK_PropertyGetIntl(keyword.name, properties), record);
    }
  }
}

void ZK_ItemKeywordChangeIntl(const ZK_ItemKeyword& keyword, const std::string& value,
                              ItemRecord& record) {
  const ZK_ItemField& field = keyword.changedField.empty() ? keyword.field : keyword.changedField;
  read(field, keyword.changed, value, record);
}
