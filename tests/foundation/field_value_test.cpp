// FieldValue: what a typed item keeps after the user leaves it, and that a
// copy carries every member whole.
#include "zarvik/field_value.h"

#include <gtest/gtest.h>

#include "local_zone.h"

namespace {

TEST(FieldValue, NewValueHoldsNothing) {
  const FieldValue field;
  EXPECT_FALSE(field.checkState);
  EXPECT_EQ(field.text, "");
  EXPECT_TRUE(field.currency.IsEmpty());
  EXPECT_EQ(field.currency.layout.decimalSeparator, ".");
  EXPECT_EQ(field.currency.layout.intDigits, 0);
  EXPECT_TRUE(field.date.empty);
  EXPECT_EQ(field.date.format, "");
}

TEST(FieldValue, DateKeepsTheTypedTextWhileTheDateIsComplete) {
  PinnedClock clock;
  FieldValue field;
  field.text = "1";
  field.date.SetFormat("dd/mm/yyyy");
  field.date.Parse(field.text);
  EXPECT_EQ(field.date.Error(), 0);
  EXPECT_EQ(field.date.Format(""), "01/12/2026");
  EXPECT_EQ(field.text, "1");
}

TEST(FieldValue, RefusedAmountLeavesTheTypedText) {
  struct Case {
    const char* typed;
    int error;
    bool empty;
  };
  const Case cases[] = {{"12a", 1, true}, {"1,1234567890", 6, false}, {"12,5", 0, false}};
  for (const Case& c : cases) {
    FieldValue field;
    field.text = c.typed;
    field.currency.SetFormat("999,88");
    field.currency.Parse("7");
    field.currency.Parse(field.text);
    EXPECT_EQ(field.currency.Error(), c.error) << c.typed;
    EXPECT_EQ(field.currency.IsEmpty(), c.empty) << c.typed;
    EXPECT_EQ(field.text, c.typed);
  }
}

void ExpectSameField(const FieldValue& copy, const FieldValue& original) {
  EXPECT_EQ(copy.checkState, original.checkState);
  EXPECT_EQ(copy.text, original.text);
  EXPECT_EQ(copy.currency.units, original.currency.units);
  EXPECT_EQ(copy.currency.fraction, original.currency.fraction);
  EXPECT_EQ(copy.currency.negative, original.currency.negative);
  EXPECT_EQ(copy.currency.IsEmpty(), original.currency.IsEmpty());
  EXPECT_EQ(copy.currency.Error(), original.currency.Error());
  EXPECT_EQ(copy.currency.layout.intDigits, original.currency.layout.intDigits);
  EXPECT_EQ(copy.currency.layout.decimals, original.currency.layout.decimals);
  EXPECT_EQ(copy.currency.layout.decimalSeparator, original.currency.layout.decimalSeparator);
  EXPECT_EQ(copy.currency.layout.fill, original.currency.layout.fill);
  EXPECT_EQ(copy.currency.layout.emptyText, original.currency.layout.emptyText);
  EXPECT_EQ(copy.date.seconds, original.date.seconds);
  EXPECT_EQ(copy.date.format, original.date.format);
  EXPECT_EQ(copy.date.empty, original.date.empty);
  EXPECT_EQ(copy.date.Error(), original.date.Error());
}

TEST(FieldValue, CopyCarriesLayoutAmountDateAndErrorCodes) {
  PinnedClock clock;
  FieldValue original;
  original.checkState = true;
  original.text = "-1234,5";
  original.currency.SetFormat("999,88");
  original.currency.Parse(original.text);
  EXPECT_EQ(original.currency.Format(), "1234,5");
  ASSERT_EQ(original.currency.Error(), 3);
  original.date.SetFormat("dd/mm/yyyy");
  original.date.Parse("1/1");
  original.date.Format("");
  original.date.SetFormat("");
  ASSERT_EQ(original.date.Error(), 9);

  const FieldValue copied(original);
  ExpectSameField(copied, original);
  EXPECT_EQ(copied.currency.layout.intDigits, 3);
  EXPECT_EQ(copied.currency.layout.decimalSeparator, ",");
  EXPECT_TRUE(copied.currency.negative);

  FieldValue assigned;
  assigned.text = "old";
  assigned.currency.SetCurrency(9, 2, "US$");
  assigned = original;
  ExpectSameField(assigned, original);
  EXPECT_EQ(assigned.currency.layout.groupSeparator, "");
  EXPECT_EQ(assigned.currency.layout.symbol, "");

  // The copy is a value: changing it leaves the original alone.
  assigned.currency.Parse("5");
  assigned.date.Clear();
  EXPECT_EQ(original.currency.units, 1234);
  EXPECT_FALSE(original.date.empty);
}

}  // namespace
