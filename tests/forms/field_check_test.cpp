// The checks of a typed field, as the EDIT items' exit and the grid's editor both apply them: what
// is refused, the message left, the text kept and the text written back.
#include <gtest/gtest.h>

#include "forms/forms_intl.h"
#include "foundation/local_zone.h"

namespace {

ItemRecord rules(const char* type, const char* format, int length, bool notNull) {
  ItemRecord item;
  item.type = type;
  item.format = format;
  item.length = length;
  item.notNull = notNull;
  return item;
}

constexpr char kRequired[] = "Saisie obligatoire";
constexpr char kIncorrect[] = "Saisie incorrecte";

TEST(FieldCheck, EveryTypeAcceptsRefusesAndWritesBack) {
  PinnedClock clock;  // 7 December 2026
  struct Case {
    const char* type;
    const char* format;
    int length;
    bool notNull;
    const char* typed;
    bool refused;
    const char* message;
    const char* text;   // kept as the field's text
    const char* shown;  // written back; nullptr: the control keeps what was typed
  };
  const Case cases[] = {
      {ZK_STRING, "", 0, false, "abc", false, "", "abc", "abc"},
      {ZK_STRING, "", 3, false, "abcdef", false, "", "abc", "abc"},
      {ZK_STRING, "", 0, true, "", true, kRequired, "", ""},
      {ZK_STRING, "", 2, true, "\xE9t\xE9", false, "", "\xE9t", "\xE9t"},
      {ZK_DATE, "dd/mm/yyyy", 0, false, "1", false, "", "1", "01/12/2026"},
      {ZK_DATE, "dd/mm/yyyy", 0, false, "31/04/2005", false, "", "31/04/2005", "01/05/2005"},
      {ZK_DATE, "dd/mm/yyyy", 0, false, "32/01/2005", true, "", "32/01/2005", nullptr},
      {ZK_DATE, "dd/mm/yyyy", 0, false, "", false, "", "", nullptr},
      {ZK_DATE, "dd/mm/yyyy", 2, true, "", true, kRequired, "", nullptr},
      {ZK_CURRENCY, "999,88", 0, false, "12,50", false, "", "12,50", "12,5"},
      {ZK_CURRENCY, "999,88", 0, false, "1234", false, "", "1234", "234"},
      {ZK_CURRENCY, "999,88", 0, false, "abc", true, kIncorrect, "abc", nullptr},
      {ZK_CURRENCY, "999,88", 0, false, "", false, "", "", ""},
      {ZK_CURRENCY, "999,88", 0, true, "abc", true, kRequired, "abc", nullptr},
      {ZK_CURRENCY, "999,88", 0, true, "", true, kRequired, "", ""},
      {"", "", 1, true, "anything", false, "", "anything", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.format + " [" + c.typed + "]");
    const ZK_FieldCheck check =
        ZK_FieldCheckIntl(rules(c.type, c.format, c.length, c.notNull), c.typed);
    EXPECT_EQ(check.refused, c.refused);
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(check.value.text, c.text);
    EXPECT_EQ(check.rewrite, c.shown != nullptr);
    if (c.shown != nullptr) {
      EXPECT_EQ(check.shown, c.shown);
    }
  }
}

TEST(FieldCheck, TypedValuesCarryWhatWasRead) {
  PinnedClock clock;
  ZK_FieldCheck date = ZK_FieldCheckIntl(rules(ZK_DATE, "dd/mm/yyyy", 0, false), "1/1");
  EXPECT_FALSE(date.value.date.empty);
  EXPECT_EQ(date.value.date.Format(""), "01/01/2026");
  EXPECT_TRUE(ZK_FieldCheckIntl(rules(ZK_DATE, "dd/mm/yyyy", 0, false), "1/13").value.date.empty);

  const ZK_FieldCheck amount =
      ZK_FieldCheckIntl(rules(ZK_CURRENCY, "9999,88", 0, false), "-12,345");
  EXPECT_TRUE(amount.value.currency.negative);
  EXPECT_EQ(amount.value.currency.units, 12);
  EXPECT_EQ(amount.value.currency.fraction, 1345000000);
  EXPECT_EQ(amount.value.currency.layout.decimalSeparator, ",");
}

}  // namespace
