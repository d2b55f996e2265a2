// The data types, one row each, and the rules a typed field's text must follow when it is left:
// length, required input, dates and amounts in the item's FORMAT, a choice among a list, a check
// box's two texts. One function for every editor of an item's value.
#include "forms/forms_intl.h"
#include "foundation/system.h"

namespace {

// The catalogue's texts in the application's language; these when it cannot be read.
struct FieldMessage {
  int number;
  const char* builtIn;
};
constexpr FieldMessage kRequired = {1, "Saisie obligatoire"};
constexpr FieldMessage kIncorrect = {2, "Saisie incorrecte"};

void refuse(ZK_FieldCheck& check, const FieldMessage& message) {
  check.refused = true;
  check.message = ZK_CatalogueTextIntl(message.number, message.builtIn);
}

void checkString(const ItemRecord& item, ZK_FieldCheck& check) {
  std::string& text = check.value.text;
  text = ZK_LengthCutIntl(text, item.length);
  check.rewrite = true;
  check.shown = text;
  if (item.notNull && text.empty()) refuse(check, kRequired);
}

void checkDate(const ItemRecord& item, ZK_FieldCheck& check) {
  DateValue date;
  date.SetFormat(item.format);
  date.Parse(check.value.text);
  if (date.Error() == 0) {
    check.rewrite = true;
    check.shown = date.Format("");
  } else if (date.Error() == ZK_DATE_ERR_NOTHING) {
    if (item.notNull) refuse(check, kRequired);
  } else {
    // A wrong date leaves no message: the status bar shows the field's remark again.
    check.refused = true;
  }
  check.value.date = date;
}

void checkCurrency(const ItemRecord& item, ZK_FieldCheck& check) {
  CurrencyValue amount;
  amount.SetFormat(item.format);
  amount.Parse(check.value.text);
  if (amount.Error() == 0) {
    check.rewrite = true;
    check.shown = amount.Format();
  } else {
    refuse(check, kIncorrect);
  }
  if (item.notNull && amount.IsEmpty()) refuse(check, kRequired);
  check.value.currency = amount;
}

// A choice column's text is one of its VALUE1, VALUE2... entries, written as listed (matched
// without regard to ASCII case), or any text when it allows others (EDIT); empty unless NOTNULL.
void checkChoice(const ItemRecord& item, ZK_FieldCheck& check) {
  std::string& text = check.value.text;
  text = ZK_LengthCutIntl(text, item.length);
  check.rewrite = true;
  check.shown = text;
  if (text.empty()) {
    if (item.notNull) refuse(check, kRequired);
    return;
  }
  const std::string upper = ZK_UpperIntl(text);
  for (const std::string& entry : ZK_ChoicesIntl(item.properties)) {
    if (ZK_UpperIntl(entry) != upper) continue;
    check.shown = entry;
    return;
  }
  if (!item.editable) refuse(check, kIncorrect);
}

// A check box column holds one of its two texts (FORMAT "on/off", "1/0" when none is given); a
// true or false word, 1 or 0, or either text in any case reads as one of them, "" as off.
void checkCheck(const ItemRecord& item, ZK_FieldCheck& check) {
  const ZK_CheckTexts texts = ZK_CheckTextsIntl(item.format);
  const std::string upper = ZK_UpperIntl(check.value.text);
  const bool on = ZK_IsTrueIntl(upper) || upper == "1" || upper == ZK_UpperIntl(texts.on);
  const bool off =
      upper.empty() || ZK_IsFalseIntl(upper) || upper == "0" || upper == ZK_UpperIntl(texts.off);
  check.value.checkState = on;
  check.rewrite = true;
  check.shown = on ? texts.on : texts.off;
  if (!on && !off) refuse(check, kIncorrect);
}

// clang-format off
const ZK_DataType kTypes[] = {
  // word        items  format  alignment  check          sort key
  {ZK_STRING,   true,  false,  -1,        checkString,   ZK_SortKey::kText},
  {ZK_DATE,     true,  true,   1,         checkDate,     ZK_SortKey::kDate},
  {ZK_CURRENCY, true,  true,   1,         checkCurrency, ZK_SortKey::kAmount},
  {ZK_CHOICE,   false, false,  -1,        checkChoice,   ZK_SortKey::kText},
  {ZK_CHECK,    false, false,  0,         checkCheck,    ZK_SortKey::kText},
};
// clang-format on

}  // namespace

const ZK_DataType* ZK_DataTypeIntl(const std::string& word) {
  for (const ZK_DataType& type : kTypes)
    if (word == type.name) return &type;
  return nullptr;
}

std::vector<std::string> ZK_ChoicesIntl(const std::string& properties) {
  std::vector<std::string> entries;
  for (int i = 1;; ++i) {
    std::string entry = ZK_PropertyGetIntl(ZK_VALUE + ZK_IntToTextIntl(i, 10), properties);
    if (entry.empty()) break;
    entries.push_back(std::move(entry));
  }
  return entries;
}

ZK_CheckTexts ZK_CheckTextsIntl(const std::string& format) {
  const std::size_t slash = format.find('/');
  if (slash == std::string::npos || slash == 0) return {"1", "0"};
  return {format.substr(0, slash), format.substr(slash + 1)};
}

std::string ZK_LengthCutIntl(const std::string& text, int length) {
  if (length <= 0) return text;
  return ZK_TextCutIntl(text, static_cast<std::size_t>(length), ZK_SystemCodePageIntl());
}

ZK_FieldCheck ZK_FieldCheckIntl(const ItemRecord& item, const std::string& text) {
  ZK_FieldCheck check;
  check.value = item.field;
  check.value.text = text;
  if (const ZK_DataType* type = ZK_DataTypeIntl(item.type)) type->check(item, check);
  return check;
}
