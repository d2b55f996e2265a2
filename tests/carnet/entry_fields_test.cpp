// The fields of an entry: amounts read and written exactly, their total past 64 bits, strict
// calendar dates in 1970..2037, and label rules.
#include <gtest/gtest.h>

#include <string>

#include "entry_amount.h"
#include "entry_date.h"
#include "entry_label.h"
#include "ledger.h"

namespace carnet {
namespace {

TEST(EntryAmount, ReadsTheGrammarAndWritesTheCanonicalForm) {
  struct Case {
    const char* text;
    const char* canonical;  // nullptr: refused
  };
  const Case cases[] = {
      {"0", "0"},
      {"-0", "0"},
      {"-0,000", "0"},
      {"007", "7"},
      {"1,50", "1,5"},
      {"-12,5", "-12,5"},
      {"-0,000000001", "-0,000000001"},
      {"999999999999999,999999999", "999999999999999,999999999"},
      {"-999999999999999,999999999", "-999999999999999,999999999"},
      {"", nullptr},
      {"-", nullptr},
      {"1,", nullptr},
      {",5", nullptr},
      {"+1", nullptr},
      {"1.5", nullptr},
      {"1 000", nullptr},
      {"--1", nullptr},
      {"1,2,3", nullptr},
      {"1234567890123456", nullptr},
      {"1,1234567890", nullptr},
  };
  for (const Case& c : cases) {
    Amount amount;
    const bool read = ParseAmount(c.text, amount);
    EXPECT_EQ(read, c.canonical != nullptr) << c.text;
    if (read && c.canonical) {
      EXPECT_EQ(AmountText(amount), c.canonical) << c.text;
    }
  }
}

TEST(EntryAmount, TotalIsExactPastSixtyFourBitsAndAcrossZero) {
  struct Case {
    const char* amount;
    int times;
    const char* total;
  };
  const Case cases[] = {
      {"2,5", 1, "2,5"},
      {"-15", 1, "-12,5"},
      {"999999999999999,999999999", 10000, "9999999999999999987,49999"},
      {"-999999999999999,999999999", 20000, "-10000000000000000012,49999"},
  };
  AmountTotal total;
  for (const Case& c : cases) {
    Amount amount;
    ASSERT_TRUE(ParseAmount(c.amount, amount));
    for (int i = 0; i < c.times; ++i) total.Add(amount);
    EXPECT_EQ(total.Text(), c.total) << c.amount;
  }
  // The reader adds amounts up by batches of thousands: the same totals.
  std::string file = "date;libell\xE9;montant\n01/01/2024;a;2,5\n01/01/2024;a;-15\n";
  for (int i = 0; i < 10000; ++i) file += "01/01/2024;a;999999999999999,999999999\n";
  for (int i = 0; i < 20000; ++i) file += "01/01/2024;a;-999999999999999,999999999\n";
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(file, "total.csv").ok());
  EXPECT_EQ(ledger.TotalText(), cases[3].total);

  Amount tenth;
  ASSERT_TRUE(ParseAmount("-0,1", tenth));
  AmountTotal small;
  small.Add(tenth);
  EXPECT_EQ(small.Text(), "-0,1");
  small.Subtract(tenth);
  small.Subtract(tenth);
  EXPECT_EQ(small.Text(), "0,1");
}

TEST(EntryDate, EveryDayInRangeRoundTripsAndOthersAreRefused) {
  // Day numbers counted from 01/01/1970, known independently of the calendar code.
  struct Anchor {
    const char* text;
    int days;
  };
  const Anchor anchors[] = {{"01/01/1970", 0},     {"01/01/2000", 10957}, {"29/02/2000", 11016},
                            {"29/02/2024", 19782}, {"01/03/2024", 19783}, {"31/12/2037", 24836}};
  for (const Anchor& anchor : anchors) {
    int days = -1;
    EXPECT_TRUE(ParseDate(anchor.text, days)) << anchor.text;
    EXPECT_EQ(days, anchor.days) << anchor.text;
  }
  for (int days = 0; days <= 24836; ++days) {
    int read = -1;
    ASSERT_TRUE(ParseDate(DateText(days), read)) << days;
    ASSERT_EQ(read, days);
  }
  const char* const refused[] = {"29/02/2023", "31/04/2024", "00/01/2024", "01/13/2024",
                                 "31/12/1969", "01/01/2038", "1/01/2024", "01-01-2024", "01/01/24",
                                 "0a/01/2024", "01/01/2024 ", "32/01/2024",
                                 // bytes just below '0' once passed for digits: "1-" was day 7
                                 "1-/01/2024", "01/0./2024", "01/01/20/4", "*1/01/2024"};
  for (const char* text : refused) {
    int days = 0;
    EXPECT_FALSE(ParseDate(text, days)) << text;
  }
}

TEST(EntryLabel, ChecksAndQuotesOnlyWhatNeedsIt) {
  struct Case {
    std::string label;
    LabelCheck check;
    const char* field;  // as written for a valid label
  };
  const Case cases[] = {
      {"Boulangerie", LabelCheck::Ok, "Boulangerie"},
      {" caf\xE9 ", LabelCheck::Ok, " caf\xE9 "},
      {"a;b", LabelCheck::Ok, "\"a;b\""},
      {"dit \"oui\"", LabelCheck::Ok, "\"dit \"\"oui\"\"\""},
      {std::string(100, 'x'), LabelCheck::Ok, nullptr},
      {std::string(101, 'x'), LabelCheck::TooLong, nullptr},
      {"", LabelCheck::Missing, nullptr},
      {"   ", LabelCheck::Missing, nullptr},
      {"a\tb", LabelCheck::BadCharacter, nullptr},
      {"a\r\nb", LabelCheck::BadCharacter, nullptr},
      {std::string("a\0b", 3), LabelCheck::BadCharacter, nullptr},
      {"a\x81"
       "b",
       LabelCheck::BadCharacter, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckLabel(c.label.data(), c.label.size()), c.check) << c.label;
    if (c.field == nullptr) continue;
    std::string field;
    AppendLabelField(field, c.label.data(), c.label.size());
    EXPECT_EQ(field, c.field);
    std::string back;
    const bool quoted = field[0] == '"';
    AppendUnquoted(back, field.data() + quoted, field.size() - 2 * quoted);
    EXPECT_EQ(back, c.label);
  }
}

}  // namespace
}  // namespace carnet
