// CurrencyValue: layouts and pictures, exact reading and writing of amounts,
// and round trips through wide layouts.
#include "zarvik/currency_value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

CurrencyValue WithPicture(const std::string& picture) {
  CurrencyValue value;
  value.SetFormat(picture);
  return value;
}

TEST(CurrencyValue, NewValueIsEmptyInTheUsLayout) {
  const CurrencyValue value;
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_EQ(value.units, 0);
  EXPECT_EQ(value.fraction, 0);
  EXPECT_FALSE(value.negative);
  EXPECT_EQ(value.Error(), 0);
  EXPECT_EQ(value.layout.intDigits, 0);
  EXPECT_EQ(value.layout.decimals, 0);
  EXPECT_EQ(value.layout.decimalSeparator, ".");
  EXPECT_EQ(value.layout.groupSeparator, "");
  EXPECT_EQ(value.layout.symbol, "");
}

TEST(CurrencyValue, SetLayoutStoresEveryFieldAndFlagsTheWorstNumber) {
  struct Case {
    int intDigits, decimals, error;
  };
  const Case cases[] = {{0, 0, 0},  {18, 9, 0}, {19, 0, 4}, {-1, 0, 4},
                        {0, 10, 5}, {0, -1, 5}, {19, 10, 5}};
  for (const Case& c : cases) {
    CurrencyValue value;
    value.Parse("12.5");
    value.SetLayout(c.intDigits, c.decimals, ",", " ", "EUR", "*#", "-", true);
    EXPECT_EQ(value.Error(), c.error) << c.intDigits << " " << c.decimals;
    EXPECT_EQ(value.layout.intDigits, c.intDigits);
    EXPECT_EQ(value.layout.decimals, c.decimals);
    EXPECT_EQ(value.layout.fill, "*");
    EXPECT_EQ(value.layout.emptyText, "-");
    EXPECT_TRUE(value.layout.fixedDecimals);
    EXPECT_EQ(value.units, 12);
    EXPECT_EQ(value.fraction, 1500000000);
  }
}

TEST(CurrencyValue, SetCurrencyTakesTheNamedSeparatorsOrChangesNothing) {
  struct Case {
    const char* name;
    int error;
    const char* decimal;
    const char* group;
    const char* symbol;
  };
  const Case cases[] = {
      {"US", 0, ".", "", ""},       {"US$", 0, ".", ",", "$"}, {"FR", 0, ",", "", ""},
      {"FR$", 0, ",", ".", "euro"}, {"EUR", 2, "!", "~", "?"}, {"us", 2, "!", "~", "?"},
  };
  for (const Case& c : cases) {
    CurrencyValue value;
    value.SetLayout(5, 1, "!", "~", "?", "*", "none", true);
    value.SetCurrency(9, 2, c.name);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(value.Error(), c.error);
    EXPECT_EQ(value.layout.intDigits, c.error ? 5 : 9);
    EXPECT_EQ(value.layout.decimals, c.error ? 1 : 2);
    EXPECT_EQ(value.layout.decimalSeparator, c.decimal);
    EXPECT_EQ(value.layout.groupSeparator, c.group);
    EXPECT_EQ(value.layout.symbol, c.symbol);
    EXPECT_EQ(value.layout.fill, c.error ? "*" : "");
    EXPECT_EQ(value.layout.emptyText, c.error ? "none" : "");
    EXPECT_EQ(value.layout.fixedDecimals, c.error != 0);
  }
  CurrencyValue value;
  value.SetCurrency(19, 2, "US");
  EXPECT_EQ(value.Error(), 4);
}

TEST(CurrencyValue, SetFormatReadsThePictureAndClearsTheRest) {
  struct Case {
    const char* picture;
    int intDigits, decimals;
    const char* separator;
    int error;
  };
  const Case cases[] = {
      {"999,88", 3, 2, ",", 0},
      {"99.8", 2, 1, ".", 0},
      {"9999", 4, 0, "", 0},
      {"", 0, 0, "", 0},
      {",88", 0, 2, ",", 0},
      {"9,8x8", 1, 1, ",", 0},
      {"9999999999999999999", 19, 0, "", 4},
      {"9,8888888888", 1, 10, ",", 5},
  };
  for (const Case& c : cases) {
    CurrencyValue value;
    value.SetLayout(1, 1, ";", " ", "$", "*", "n/a", true);
    value.SetFormat(c.picture);
    SCOPED_TRACE(c.picture);
    EXPECT_EQ(value.Error(), c.error);
    EXPECT_EQ(value.layout.intDigits, c.intDigits);
    EXPECT_EQ(value.layout.decimals, c.decimals);
    EXPECT_EQ(value.layout.decimalSeparator, c.separator);
    EXPECT_EQ(value.layout.groupSeparator + value.layout.symbol + value.layout.fill +
                  value.layout.emptyText,
              "");
    EXPECT_FALSE(value.layout.fixedDecimals);
  }
}

struct ParseCase {
  const char* text;
  int error;
  bool empty;
  bool negative;
  std::int64_t units;
  std::int32_t fraction;
};

void ExpectParses(CurrencyValue value, const ParseCase* begin, const ParseCase* end) {
  for (const ParseCase* c = begin; c != end; ++c) {
    value.Parse("99");
    value.Parse(c->text);
    SCOPED_TRACE(testing::Message() << '"' << c->text << '"');
    EXPECT_EQ(value.Error(), c->error);
    EXPECT_EQ(value.IsEmpty(), c->empty);
    EXPECT_EQ(value.negative, c->negative);
    EXPECT_EQ(value.units, c->units);
    EXPECT_EQ(value.fraction, c->fraction);
  }
}

TEST(CurrencyValue, ParseReadsAmountsWithADecimalSeparator) {
  const ParseCase cases[] = {
      {"12,5", 0, false, false, 12, 1500000000},
      {"0,05", 0, false, false, 0, 1050000000},
      {"12,50", 0, false, false, 12, 1500000000},
      {"12,000", 0, false, false, 12, 0},
      {"1234,567", 0, false, false, 1234, 1567000000},
      {"1,123456789", 0, false, false, 1, 1123456789},
      {"1,1234567890", 6, false, false, 0, 0},
      {"-1,1234567890", 6, false, false, 0, 0},
      {"123456789012345678", 0, false, false, 123456789012345678, 0},
      {"1234567890123456789", 6, true, false, 0, 0},
      {"123456789012345678,5", 0, false, false, 123456789012345678, 1500000000},
      {"1234567890123456789,5", 6, true, false, 0, 0},
      {"-", 0, false, true, 0, 0},
      {"+12", 0, false, false, 12, 0},
      {"12+", 0, false, false, 12, 0},
      {"12-", 0, false, true, 12, 0},
      {" -3,25 ", 0, false, true, 3, 1250000000},
      {"--1", 1, true, false, 0, 0},
      {"1,2,3", 1, true, false, 0, 0},
      {"1.5", 1, true, false, 0, 0},
      {"12a", 1, true, false, 0, 0},
      {"1 2", 1, true, false, 0, 0},
      {",5", 0, false, false, 0, 0},
      {"7,", 0, false, false, 7, 0},
      {"", 0, true, false, 0, 0},
      {"    ", 0, true, false, 0, 0},
  };
  ExpectParses(WithPicture("999,88"), std::begin(cases), std::end(cases));
}

TEST(CurrencyValue, ParseRemovesSymbolFillAndGroupsFirst) {
  const ParseCase cases[] = {
      {"1,234,567.5 $", 0, false, false, 1234567, 1500000000},
      {"$ -1,000", 0, false, true, 1000, 0},
      {"$", 0, true, false, 0, 0},
      {" , $ ", 0, true, false, 0, 0},
      {"$$1", 1, true, false, 0, 0},
      {"1.2.3", 1, true, false, 0, 0},
  };
  CurrencyValue value;
  value.SetCurrency(9, 2, "US$");
  ExpectParses(value, std::begin(cases), std::end(cases));

  const ParseCase filled[] = {
      {"***12", 0, false, false, 12, 0},
      {"**-1.234,5 euro", 0, false, true, 1234, 1500000000},
      {"n/a", 0, true, false, 0, 0},
      {"n/b", 1, true, false, 0, 0},
  };
  value.SetLayout(9, 2, ",", ".", "euro", "*", "n/a", false);
  ExpectParses(value, std::begin(filled), std::end(filled));
}

TEST(CurrencyValue, ParseWithoutSeparatorKeepsTheIntegerPartOnly) {
  const ParseCase cases[] = {
      {"12.50", 0, false, false, 12, 0},
      {"12,50", 0, false, false, 12, 0},
      {"1.2.3", 1, true, false, 0, 0},
      {"1.2,3", 1, true, false, 0, 0},
      {"1234567890123456.5", 0, false, false, 1234567890123456, 0},
      {"12345678901234567.5", 6, true, false, 0, 0},
  };
  ExpectParses(WithPicture("9999"), std::begin(cases), std::end(cases));
}

struct FormatCase {
  const char* text;  // read with the layout under test
  const char* shown;
  int error;
};

void ExpectFormats(CurrencyValue value, const FormatCase* begin, const FormatCase* end) {
  for (const FormatCase* c = begin; c != end; ++c) {
    value.Parse(c->text);
    ASSERT_EQ(value.Error(), 0) << c->text;
    EXPECT_EQ(value.Format(), c->shown) << c->text;
    EXPECT_EQ(value.Error(), c->error) << c->text;
  }
}

TEST(CurrencyValue, FormatWritesThePictureLayout) {
  const FormatCase cases[] = {
      {"12,5", "12,5", 0}, {"-7", "-7", 0},
      {"0,05", "0,05", 0}, {"0", "0", 0},
      {"1234", "234", 3},  {"12,345", "12,345", 0},
      {"-", "-0", 0},      {"-1234", "1234", 3},
      {"-123", "-123", 0}, {"999,999999999", "999,999999999", 0},
      {"", "", 0},
  };
  ExpectFormats(WithPicture("999,88"), std::begin(cases), std::end(cases));

  const FormatCase noDecimals[] = {{"12,5", "12", 0}, {"5", "5", 0}};
  ExpectFormats(WithPicture("9999"), std::begin(noDecimals), std::end(noDecimals));

  // With no integer digits at all, the integer part is always cut away.
  const FormatCase noDigits[] = {{"5", "", 3}, {"0.5", "", 3}};
  ExpectFormats(CurrencyValue(), std::begin(noDigits), std::end(noDigits));
}

TEST(CurrencyValue, FormatGroupsPadsAndAddsTheSymbol) {
  CurrencyValue value;
  value.SetCurrency(9, 2, "US$");
  const FormatCase dollars[] = {{"1234567.5", "1,234,567.5 $", 0},
                                {"123", "123 $", 0},
                                {"-1234", "-1,234 $", 0},
                                {"1234567890", "234,567,890 $", 3}};
  ExpectFormats(value, std::begin(dollars), std::end(dollars));

  value.SetLayout(7, 0, ".", ",", "", "", "", false);
  const FormatCase grouped[] = {{"-123456", "-123,456", 0}, {"1234567", "1,234,567", 0}};
  ExpectFormats(value, std::begin(grouped), std::end(grouped));

  value.SetLayout(6, 2, ",", ".", "", "*", "", false);
  const FormatCase filled[] = {{"12", "****12", 0},
                               {"-12", "****-12", 0},
                               {"12345", "*12.345", 0},
                               {"1234567", "234.567", 3}};
  ExpectFormats(value, std::begin(filled), std::end(filled));
}

TEST(CurrencyValue, FormatFixedDecimalsCutsWithoutRounding) {
  CurrencyValue value;
  value.SetLayout(5, 2, ",", "", "", "", "vide", true);
  const FormatCase cases[] = {{"12,5", "12,50", 0},
                              {"12,349", "12,34", 0},
                              {"12", "12", 0},
                              {"0,001", "0,00", 0},
                              {"", "vide", 0}};
  ExpectFormats(value, std::begin(cases), std::end(cases));

  value.SetLayout(5, 9, ",", "", "", "", "", true);
  const FormatCase nine[] = {{"0,5", "0,500000000", 0}};
  ExpectFormats(value, std::begin(nine), std::end(nine));
}

TEST(CurrencyValue, FormatSurvivesOutOfRangeLayouts) {
  CurrencyValue value;
  value.Parse("12.5");
  value.SetLayout(-3, 2, ".", ",", "", "*", "", false);
  EXPECT_EQ(value.Format(), ".5");
  EXPECT_EQ(value.Error(), 3);
  // A refused negative count of decimals writes no fraction rather than
  // its digits without a separator.
  value.SetLayout(5, -1, ".", "", "", "", "", true);
  EXPECT_EQ(value.Format(), "12");
  value.SetLayout(5, 12, ".", "", "", "", "", true);
  EXPECT_EQ(value.Format(), "12.500000000000");
}

// Amounts written with a layout wide enough read back to the same amount,
// sign and fraction digits.
TEST(CurrencyValue, WrittenAmountsReadBackUnchanged) {
  CurrencyValue layouts[5];
  layouts[0].SetFormat("999999999999999999,888888888");
  layouts[1].SetCurrency(18, 9, "US$");
  layouts[2].SetCurrency(18, 9, "FR$");
  layouts[3].SetLayout(18, 9, ".", " ", "CHF", "_", "--", false);
  layouts[4].SetLayout(18, 9, ",", "'", "", "", "", true);

  std::mt19937_64 random(42);
  for (CurrencyValue& layout : layouts) {
    for (int i = 0; i < 2000; ++i) {
      CurrencyValue amount = layout;
      const int digits = static_cast<int>(random() % 19);
      std::int64_t limit = 1;
      for (int d = 0; d < digits; ++d) limit *= 10;
      amount.units = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(limit));
      const int kept = static_cast<int>(random() % 10);
      std::int32_t fraction = static_cast<std::int32_t>(random() % 1000000000);
      for (int d = kept; d < 9; ++d) fraction = fraction / 10;
      for (int d = kept; d < 9; ++d) fraction = fraction * 10;
      amount.fraction = fraction == 0 ? 0 : 1000000000 + fraction;
      amount.negative = random() % 2 == 0;
      amount.empty = i == 0;

      const std::string text = amount.Format();
      ASSERT_EQ(amount.Error(), 0) << text;
      CurrencyValue back = layout;
      back.Parse(text);
      SCOPED_TRACE(text);
      ASSERT_EQ(back.Error(), 0);
      EXPECT_EQ(back.IsEmpty(), amount.empty);
      if (amount.empty) continue;
      EXPECT_EQ(back.units, amount.units);
      EXPECT_EQ(back.fraction, amount.fraction);
      EXPECT_EQ(back.negative, amount.negative);
    }
  }
}

}  // namespace
