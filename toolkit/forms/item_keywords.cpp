// The item keywords, one row each: how a declaration reads it, how a run-time change reads it,
// and what a change does to the control. ZK_FormItemAdd and ZK_FormItemSet both read this table.
#include <climits>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

constexpr ZK_ItemField text(std::string ItemRecord::*member) {
  ZK_ItemField field;
  field.text = member;
  return field;
}
constexpr ZK_ItemField number(int ItemRecord::*member) {
  ZK_ItemField field;
  field.number = member;
  return field;
}
constexpr ZK_ItemField flag(bool ItemRecord::*member) {
  ZK_ItemField field;
  field.flag = member;
  return field;
}
constexpr ZK_ItemField valueText(std::string FieldValue::*member) {
  ZK_ItemField field;
  field.valueText = member;
  return field;
}
constexpr ZK_ItemField valueFlag(bool FieldValue::*member) {
  ZK_ItemField field;
  field.valueFlag = member;
  return field;
}
constexpr ZK_ItemField kNoField{};
constexpr ZK_Range kAny{INT_MIN, INT_MAX, 0};

using R = ZK_Reading;
using N = ZK_Native;

// clang-format off
const std::vector<ZK_ItemKeyword> kKeywords = {
  // keyword       declared field                    declared            range            changed                changed field                   native
  {ZK_VALUE,     text(&ItemRecord::value),         R::kText,           kAny,            R::kText,              text(&ItemRecord::value),         N::kNone},
  {ZK_BUTTON,    text(&ItemRecord::buttonRole),    R::kUpper,          kAny,            R::kText,              text(&ItemRecord::buttonRole),    N::kNone},
  {ZK_REMARK,    text(&ItemRecord::remark),        R::kText,           kAny,            R::kText,              text(&ItemRecord::remark),        N::kNone},
  {ZK_FORMAT,    text(&ItemRecord::format),        R::kText,           kAny,            R::kText,              text(&ItemRecord::format),        N::kNone},
  {ZK_TXHPOS,    number(&ItemRecord::textHPos),    R::kHorizontal,     kAny,            R::kHorizontalOrDigit, number(&ItemRecord::textHPos),    N::kNone},
  {ZK_TXVPOS,    number(&ItemRecord::textVPos),    R::kVertical,       kAny,            R::kVerticalOrDigit,   number(&ItemRecord::textVPos),    N::kNone},
  {ZK_FTNAME,    text(&ItemRecord::fontName),      R::kText,           kAny,            R::kText,              text(&ItemRecord::fontName),      N::kNone},
  {ZK_FTSIZE,    number(&ItemRecord::fontSize),    R::kDecimal,        {1, 256, 10},    R::kDecimal,           number(&ItemRecord::fontSize),    N::kNone},
  {ZK_FTBOLD,    flag(&ItemRecord::fontBold),      R::kTrue,           kAny,            R::kTrue,              flag(&ItemRecord::fontBold),      N::kNone},
  {ZK_FTITALIC,  flag(&ItemRecord::fontItalic),    R::kTrue,           kAny,            R::kTrue,              flag(&ItemRecord::fontItalic),    N::kNone},
  {ZK_FTULINE,   flag(&ItemRecord::fontUnderline), R::kTrue,           kAny,            R::kTrue,              flag(&ItemRecord::fontUnderline), N::kNone},
  {ZK_LENGTH,    number(&ItemRecord::length),      R::kDecimal,        kAny,            R::kDecimal,           number(&ItemRecord::length),      N::kNone},
  {ZK_NOTNULL,   flag(&ItemRecord::notNull),       R::kTrue,           kAny,            R::kTrue,              flag(&ItemRecord::notNull),       N::kNone},
  {ZK_BKCOL,     number(&ItemRecord::backColour),  R::kColourOrUnset,  kAny,            R::kColour,            number(&ItemRecord::backColour),  N::kNone},
  {ZK_TXCOL,     number(&ItemRecord::textColour),  R::kColourOrUnset,  kAny,            R::kColour,            number(&ItemRecord::textColour),  N::kNone},
  {ZK_BRDSTYLE,  text(&ItemRecord::borderStyle),   R::kBorderStyle,    kAny,            R::kText,              text(&ItemRecord::borderStyle),   N::kNone},
  {ZK_BRDSIZE,   number(&ItemRecord::borderSize),  R::kDecimal,        {0, 16, 0},      R::kDecimal,           number(&ItemRecord::borderSize),  N::kNone},
  {ZK_BRDCOL,    number(&ItemRecord::borderColour), R::kColour,        kAny,            R::kColour,            number(&ItemRecord::borderColour), N::kNone},
  {ZK_TYPE,      text(&ItemRecord::type),          R::kUpper,          kAny,            R::kNone,              kNoField,                         N::kNone},
  {ZK_EDIT,      flag(&ItemRecord::editable),      R::kTrue,           kAny,            R::kTrue,              flag(&ItemRecord::editable),      N::kNone},
  {ZK_CHECK,     flag(&ItemRecord::checked),       R::kTrue,           kAny,            R::kTrue,              valueFlag(&FieldValue::checkState), N::kNone},
  {ZK_ENABLE,    flag(&ItemRecord::enabled),       R::kNotFalse,       kAny,            R::kNotFalse,          flag(&ItemRecord::enabled),       N::kEnable},
  {ZK_VISIBLE,   flag(&ItemRecord::visible),       R::kNotFalse,       kAny,            R::kNotFalse,          flag(&ItemRecord::visible),       N::kShow},
  {ZK_PASSWORD,  flag(&ItemRecord::password),      R::kTrue,           kAny,            R::kNone,              kNoField,                         N::kNone},
  {ZK_MULTILINE, flag(&ItemRecord::multiLine),     R::kTrue,           kAny,            R::kNone,              kNoField,                         N::kNone},
  {ZK_RETURN,    kNoField,                         R::kNone,           kAny,            R::kText,              valueText(&FieldValue::text),     N::kReturn},
  {ZK_ADDVALUE,  kNoField,                         R::kNone,           kAny,            R::kText,              kNoField,                         N::kAddValue},
  {ZK_CLEARVALUE, kNoField,                        R::kNone,           kAny,            R::kText,              kNoField,                         N::kClearValue},
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
  }
  if (field.text != nullptr) record.*field.text = word;
  if (field.number != nullptr) record.*field.number = number;
  if (field.flag != nullptr) record.*field.flag = flag;
  if (field.valueText != nullptr) record.field.*field.valueText = word;
  if (field.valueFlag != nullptr) record.field.*field.valueFlag = flag;
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
  for (const ZK_ItemKeyword& keyword : kKeywords) {
    if (keyword.declared == R::kNone) continue;
    read(keyword.field, keyword.declared, ZK_PropertyGetIntl(keyword.name, properties), record);
    if (keyword.field.number == nullptr) continue;
    int& value = record.*keyword.field.number;
    if (value < keyword.range.low || value > keyword.range.high) value = keyword.range.outside;
  }
}

void ZK_ItemKeywordChangeIntl(const ZK_ItemKeyword& keyword, const std::string& value,
                              ItemRecord& record) {
  read(keyword.changedField, keyword.changed, value, record);
}
