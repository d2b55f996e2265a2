// The checks of a typed field when the user leaves it: a text's length and whether it is required,
// the completion of dates, amounts read by their picture, and the message the form's status bar
// shows for a refusal. Pure: the EDIT items' exit and the grid's cell editor both call it.
#include "foundation/foundation_intl.h"

namespace {
constexpr char kRequired[] = "Saisie obligatoire";
constexpr char kIncorrect[] = "Saisie incorrecte";

void checkString(const ZK_FieldRules& rules, ZK_FieldCheck& check) {
  if (rules.length > 0 && check.text.size() > static_cast<std::size_t>(rules.length))
    check.text.resize(static_cast<std::size_t>(rules.length));
  // The cut text always goes back into the control, cut or not.
  check.rewrite = true;
  check.shown = check.text;
  if (rules.notNull && check.text.empty()) {
    check.message = kRequired;
    check.refused = true;
  }
}

void checkDate(const ZK_FieldRules& rules, ZK_FieldCheck& check) {
  check.date.SetFormat(rules.format);
  check.date.Parse(check.text);
  if (check.date.Error() == 0) {
    check.rewrite = true;
    check.shown = check.date.Format("");
  } else if (check.date.Error() == ZK_DATE_ERR_NOTHING) {
    // Nothing typed: accepted unless required.
    if (rules.notNull) {
      check.message = kRequired;
      check.refused = true;
    }
  } else {
    // A wrong date leaves no message: the status bar shows the field's remark again.
    check.refused = true;
  }
}

void checkCurrency(const ZK_FieldRules& rules, ZK_FieldCheck& check) {
  check.currency.SetFormat(rules.format);
  check.currency.Parse(check.text);
  if (check.currency.Error() == 0) {
    check.rewrite = true;
    check.shown = check.currency.Format();
  } else {
    check.message = kIncorrect;
    check.refused = true;
  }
  // A refused amount is empty too: a required field then says it is required.
  if (rules.notNull && check.currency.IsEmpty()) {
    check.message = kRequired;
    check.refused = true;
  }
}
}  // namespace

ZK_FieldCheck ZK_FieldCheckIntl(const ZK_FieldRules& rules, const std::string& text) {
  ZK_FieldCheck check;
  check.text = text;
  if (rules.type == ZK_STRING) checkString(rules, check);
  if (rules.type == ZK_DATE) checkDate(rules, check);
  if (rules.type == ZK_CURRENCY) checkCurrency(rules, check);
  return check;
}
