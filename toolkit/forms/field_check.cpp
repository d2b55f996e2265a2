// The rules a typed field's text must follow when it is left: length, required input, dates and
// amounts in the item's FORMAT. One function for every editor of an item's value.
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

}  // namespace

std::string ZK_FieldIncorrectTextIntl() {
  return ZK_CatalogueTextIntl(kIncorrect.number, kIncorrect.builtIn);
}

std::string ZK_LengthCutIntl(const std::string& text, int length) {
  if (length <= 0) return text;
  return ZK_TextCutIntl(text, static_cast<std::size_t>(length), ZK_SystemCodePageIntl());
}

ZK_FieldCheck ZK_FieldCheckIntl(const ItemRecord& item, const std::string& text) {
  ZK_FieldCheck check;
  check.value = item.field;
  check.value.text = text;
  if (item.type == ZK_STRING) checkString(item, check);
  if (item.type == ZK_DATE) checkDate(item, check);
  if (item.type == ZK_CURRENCY) checkCurrency(item, check);
  return check;
}
