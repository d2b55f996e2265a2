// The entries shown: the running balance exact in the order shown, a period that the balance,
// the total and the status follow through every change, Find without case or accents, and the
// categories with their totals.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "entry_amount.h"
#include "ledger.h"

namespace carnet {
namespace {

// 300 entries over three months, with amounts of up to nine decimals and some categories.
std::string Generated() {
  std::string file = "date;libell\xE9;montant;cat\xE9gorie\r\n";
  const char* const labels[] = {"Caf\xE9", "CAFE cr\xE8me", "Boulangerie", "\xC9lectricit\xE9"};
  const char* const categories[] = {"", "Courses", "\xC9nergie", ""};
  for (int i = 0; i < 300; ++i) {
    const int day = 1 + i * 7 % 28;
    const int month = 1 + i % 3;
    file += (day < 10 ? "0" : "") + std::to_string(day) + "/0" + std::to_string(month) + "/2024;" +
            labels[i % 4] + ";" + (i % 5 ? "-" : "") + std::to_string(i * 37 % 1000) +
            (i % 7 ? ",5" : ",123456789") + ";" + categories[i % 4] + "\r\n";
  }
  return file;
}

// Balances and total made again entry by entry from the texts shown.
void ExpectBalancesFromTheTexts(const Ledger& ledger) {
  AmountTotal sum;
  for (std::size_t i = 0; i < ledger.Count(); ++i) {
    Amount amount;
    ASSERT_TRUE(ParseAmount(ledger.Text(i, Column::Amount), amount));
    sum.Add(amount);
    ASSERT_EQ(ledger.BalanceText(i), sum.Text()) << i;
  }
  EXPECT_EQ(ledger.TotalText(), sum.Text());
  EXPECT_EQ(ledger.BalanceText(ledger.Count()), "");
}

TEST(LedgerView, BalanceIsExactInTheOrderShownThroughChangesAndPeriods) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(Generated(), "v.csv").ok());
  ExpectBalancesFromTheTexts(ledger);
  ledger.Sort(Column::Amount, true);
  ExpectBalancesFromTheTexts(ledger);
  ASSERT_TRUE(ledger.SetPeriod("01/02/2024", "29/02/2024").ok());
  EXPECT_EQ(ledger.Count(), 100u);
  for (std::size_t i = 0; i < ledger.Count(); ++i)
    ASSERT_EQ(ledger.Text(i, Column::Date).substr(2), "/02/2024");
  ExpectBalancesFromTheTexts(ledger);
  ASSERT_TRUE(ledger.Set(3, Column::Amount, "-1000000000,000000001").ok());
  ExpectBalancesFromTheTexts(ledger);
  ASSERT_TRUE(ledger.Set(4, Column::Date, "01/03/2024").ok());  // leaves the period
  EXPECT_EQ(ledger.Count(), 99u);
  ASSERT_TRUE(ledger.Add("15/02/2024", "nouveau", "7").ok());
  ASSERT_TRUE(ledger.Add("15/03/2024", "hors p\xE9riode", "8").ok());
  EXPECT_EQ(ledger.Count(), 100u);
  EXPECT_EQ(ledger.Text(99, Column::Label), "nouveau");
  ExpectBalancesFromTheTexts(ledger);
  ASSERT_TRUE(ledger.Delete({0, 99}).ok());
  ExpectBalancesFromTheTexts(ledger);
  EXPECT_EQ(ledger.StatusText(),
            "98 \xE9"
            "critures affich\xE9"
            "es sur 300, total " +
                ledger.TotalText());
  ASSERT_TRUE(ledger.Undo());
  ASSERT_TRUE(ledger.Undo());
  EXPECT_EQ(ledger.Count(), 100u);
  ExpectBalancesFromTheTexts(ledger);
  ledger.ClearPeriod();
  EXPECT_EQ(ledger.Count(), 301u);
  EXPECT_EQ(ledger.StatusText(),
            "301 \xE9"
            "critures, total " +
                ledger.TotalText());
  ExpectBalancesFromTheTexts(ledger);

  EXPECT_EQ(ledger.SetPeriod("01/03/2024", "29/02/2024").kind, ErrorKind::BadPeriod);
  EXPECT_EQ(ledger.SetPeriod("1/3/2024", "").kind, ErrorKind::BadDate);
  EXPECT_FALSE(ledger.Filtered());
  ASSERT_TRUE(ledger.SetPeriod("", "31/01/2024").ok());  // open at the start
  EXPECT_EQ(ledger.Count(), 100u);
}

// The sums behind the balance are made only as far as a cell asks: asked from anywhere first,
// and after a change that comes when only some of them were made, every balance and the total
// are still the running sums.
TEST(LedgerView, BalancesAskedInAnyOrderAreTheRunningSums) {
  struct Case {
    const char* name;
    std::vector<std::size_t> asked;  // balances asked before the change, in this order
    bool period;
  };
  const Case cases[] = {
      {"first span only", {0, 5}, false},
      {"last first", {299, 0}, false},
      {"middle, then the start", {150, 64, 63}, false},
      {"period, first span only", {1}, true},
      {"period, last first", {99, 2}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(Generated(), "v.csv").ok());
    if (c.period) ASSERT_TRUE(ledger.SetPeriod("01/02/2024", "29/02/2024").ok());
    for (std::size_t entry : c.asked) EXPECT_FALSE(ledger.BalanceText(entry).empty());
    ASSERT_TRUE(ledger.Set(2, Column::Amount, "-123456,75").ok());
    std::vector<std::string> expected;
    AmountTotal sum;
    for (std::size_t i = 0; i < ledger.Count(); ++i) {
      Amount amount;
      ASSERT_TRUE(ParseAmount(ledger.Text(i, Column::Amount), amount));
      sum.Add(amount);
      expected.push_back(sum.Text());
    }
    EXPECT_EQ(ledger.BalanceText(70), expected[70]);
    EXPECT_EQ(ledger.TotalText(), sum.Text());
    for (std::size_t i = ledger.Count(); i-- > 0;)
      ASSERT_EQ(ledger.BalanceText(i), expected[i]) << i;
  }
}

TEST(LedgerView, AGroupKeepsTheNumbersOfTheEntriesShownUntilItEnds) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(Generated(), "v.csv").ok());
  ASSERT_TRUE(ledger.SetPeriod("01/01/2024", "31/01/2024").ok());
  const std::string third = ledger.Text(2, Column::Label);
  ledger.GroupBegin();
  ASSERT_TRUE(ledger.Set(1, Column::Date, "01/02/2024").ok());  // out of the period...
  EXPECT_EQ(ledger.Text(2, Column::Label), third);              // ...but still shown
  ASSERT_TRUE(ledger.Set(2, Column::Label, "coll\xE9").ok());
  ASSERT_TRUE(ledger.Add("02/01/2024", "ajout", "1").ok());
  EXPECT_EQ(ledger.Text(ledger.Count() - 1, Column::Label), "ajout");
  EXPECT_FALSE(ledger.CanUndo());
  ledger.GroupEnd();
  EXPECT_EQ(ledger.Count(), 100u);
  EXPECT_EQ(ledger.Text(1, Column::Label), "coll\xE9");
  ASSERT_TRUE(ledger.Undo());  // the three changes at once
  EXPECT_EQ(ledger.Count(), 100u);
  EXPECT_EQ(ledger.Text(2, Column::Label), third);
  EXPECT_FALSE(ledger.Dirty());
}

TEST(LedgerView, TheEntryAChangeTouchedIsTheOneToSelect) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(Generated(), "v.csv").ok());
  ASSERT_TRUE(ledger.SetPeriod("01/02/2024", "29/02/2024").ok());
  ASSERT_TRUE(ledger.Set(5, Column::Amount, "1").ok());
  EXPECT_EQ(ledger.ChangedEntry(), 5u);
  ASSERT_TRUE(ledger.Add("15/02/2024", "ajout", "2").ok());
  EXPECT_EQ(ledger.ChangedEntry(), ledger.Count() - 1);
  ASSERT_TRUE(ledger.Add("15/03/2024", "hors p\xE9riode", "2").ok());
  EXPECT_EQ(ledger.ChangedEntry(), kNoEntry);
  ASSERT_TRUE(ledger.Delete({7, 3}).ok());
  EXPECT_EQ(ledger.ChangedEntry(), 3u);  // the entry after the first deleted
  ASSERT_TRUE(ledger.Undo());
  EXPECT_EQ(ledger.ChangedEntry(), 3u);
  ASSERT_TRUE(ledger.Delete(ledger.Count() - 1).ok());
  EXPECT_EQ(ledger.ChangedEntry(), ledger.Count() - 1);
  ledger.Sort(Column::Label, false);
  EXPECT_EQ(ledger.ChangedEntry(), kNoEntry);
}

TEST(LedgerView, FindIgnoresCaseAndAccentsBothWaysAndGoesRound) {
  Ledger ledger;
  ASSERT_TRUE(ledger
                  .Load("date;libell\xE9;montant\r\n"
                        "01/01/2024;Boulangerie;1\r\n"
                        "02/01/2024;Caf\xE9 Cr\xC8ME;1\r\n"
                        "03/01/2024;\xC9lectricit\xE9;1\r\n"
                        "04/01/2024;cafe creme;1\r\n"
                        "05/01/2024;\"Dit \"\"caf\xE9\"\"\";1\r\n",
                        "f.csv")
                  .ok());
  struct Case {
    const char* text;
    std::size_t from;
    bool forward;
    std::size_t found;
  };
  const Case cases[] = {
      {"caf\xC9 cr\xE8me", 0, true, 1},
      {"caf\xC9 cr\xE8me", 2, true, 3},
      {"CAFE", 4, true, 4},
      {"cafe", 0, false, 4},
      {"cafe", 3, false, 3},
      {"\xE9LECTRIC", 0, true, 2},
      {"\"caf", 0, true, 4},
      {"pain", 0, true, kNoEntry},
      {"", 0, true, kNoEntry},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ledger.Find(c.text, c.from, c.forward), c.found) << c.text << " " << c.from;
  ASSERT_TRUE(ledger.SetPeriod("02/01/2024", "03/01/2024").ok());
  EXPECT_EQ(ledger.Find("cafe", 1, true), 0u);  // among the entries shown, round once
}

// Categories are told apart by their text, whatever the bytes that spell them in the file: quoted
// or not, or two UTF-8 characters that code page 1252 both shows as "?". A ledger without any
// has none until an entry is given one.
TEST(LedgerView, EachCategoryOnceWhateverItsSpelling) {
  const std::string cp1252 = "date;libell\xE9;montant;cat\xE9gorie\r\n";
  const std::string utf8 = "date;libell\xC3\xA9;montant;cat\xC3\xA9gorie\r\n";
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> expected;  // in byte order
  };
  const Case cases[] = {
      {"none", cp1252 + "01/01/2024;a;1;\r\n02/01/2024;b;2;\r\n", {}},
      {"quoted or not",
       cp1252 + "01/01/2024;a;1;Courses\r\n02/01/2024;b;2;\"Courses\"\r\n" +
           "03/01/2024;c;3;\"Sortie \"\"cin\xE9\"\"\"\r\n04/01/2024;d;4;Courses\r\n",
       {"Courses", "Sortie \"cin\xE9\""}},
      {"UTF-8 the window cannot show",
       utf8 + "01/01/2024;a;1;\xE6\x97\xA5\r\n02/01/2024;b;2;\xE6\x9C\x88\r\n" +
           "03/01/2024;c;3;Caf\xC3\xA9\r\n",
       {"?", "Caf\xE9"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(c.file, "c.csv").ok());
    std::vector<std::string> found = ledger.Categories();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, c.expected);
    ASSERT_TRUE(ledger.Set(0, Column::Category, "Neuve").ok());
    found = ledger.Categories();
    EXPECT_NE(std::find(found.begin(), found.end(), "Neuve"), found.end());
  }
}

TEST(LedgerView, CategoriesAndTheirTotalsFollowThePeriod) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(Generated(), "v.csv").ok());
  EXPECT_EQ(ledger.Categories(), (std::vector<std::string>{"Courses", "\xC9nergie"}));
  ASSERT_TRUE(ledger.Set(0, Column::Category, "Abonnements").ok());
  EXPECT_EQ(ledger.Categories().front(), "Abonnements");
  EXPECT_EQ(ledger.Set(0, Column::Category, "  ").kind, ErrorKind::MissingLabel);
  EXPECT_EQ(ledger.Set(0, Column::Category, std::string(101, 'c')).kind, ErrorKind::LongLabel);
  for (const char* period : {"", "01/02/2024"}) {
    if (*period) {
      ASSERT_TRUE(ledger.SetPeriod(period, "29/02/2024").ok());
    }
    AmountTotal all;
    std::size_t count = 0;
    std::vector<std::string> names;
    for (const CategoryTotal& total : ledger.CategoryTotals()) {
      names.push_back(total.name);
      AmountTotal sum;
      std::size_t entries = 0;
      for (std::size_t i = 0; i < ledger.Count(); ++i) {
        if (ledger.Text(i, Column::Category) != total.name) continue;
        Amount amount;
        ASSERT_TRUE(ParseAmount(ledger.Text(i, Column::Amount), amount));
        sum.Add(amount);
        all.Add(amount);
        ++entries;
      }
      EXPECT_EQ(total.total, sum.Text()) << total.name;
      EXPECT_EQ(total.count, entries);
      count += entries;
    }
    EXPECT_EQ(names.front(), "");  // the entries without a category first
    EXPECT_EQ(count, ledger.Count());
    EXPECT_EQ(all.Text(), ledger.TotalText());
  }
}

}  // namespace
}  // namespace carnet
