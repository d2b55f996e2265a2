// The ledger model: edits checked as the reader checks lines, the exact total and status text
// after every change, and stable sorts by each column both ways.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carnet_test_support.h"
#include "ledger.h"

namespace carnet {
namespace {

// One column's texts, entry by entry.
std::vector<std::string> Texts(const Ledger& ledger, Column column) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < ledger.Count(); ++i) texts.push_back(ledger.Text(i, column));
  return texts;
}

TEST(LedgerModel, EditsAreCheckedAndTheTotalFollowsEveryChange) {
  struct Case {
    const char* date;
    const char* label;
    const char* amount;
    ErrorKind kind;
    Column column;
  };
  const Case refused[] = {
      {"30/02/2024", "pain", "1", ErrorKind::BadDate, Column::Date},
      {"01/01/2024", " ", "1", ErrorKind::MissingLabel, Column::Label},
      {"01/01/2024", "a\nb", "1", ErrorKind::BadCharacter, Column::Label},
      {"01/01/2024", "pain", "1,", ErrorKind::BadAmount, Column::Amount},
  };
  Ledger ledger;
  EXPECT_EQ(ledger.StatusText(),
            "0 \xE9"
            "critures, total 0");
  for (const Case& c : refused) {
    const Result result = ledger.Add(c.date, c.label, c.amount);
    EXPECT_EQ(result.kind, c.kind) << c.date << c.label << c.amount;
    EXPECT_EQ(result.column, c.column);
    EXPECT_FALSE(result.message.empty());
  }
  EXPECT_EQ(ledger.Count(), 0u);
  EXPECT_FALSE(ledger.Dirty());

  ASSERT_TRUE(ledger.Add("01/01/2024", "Caf\xE9 \"Le Zinc\"", "2,5").ok());
  ASSERT_TRUE(ledger.Add("02/01/2024", "loyer", "-15").ok());
  EXPECT_TRUE(ledger.Dirty());
  EXPECT_EQ(ledger.StatusText(),
            "2 \xE9"
            "critures, total -12,5");
  EXPECT_EQ(ledger.Set(1, Column::Amount, "-15,0,0").kind, ErrorKind::BadAmount);
  EXPECT_EQ(ledger.Set(2, Column::Amount, "1").kind, ErrorKind::NoSuchEntry);
  ASSERT_TRUE(ledger.Set(1, Column::Amount, "-0,5").ok());
  ASSERT_TRUE(ledger.Set(1, Column::Label, "loyer; charges").ok());
  EXPECT_EQ(ledger.TotalText(), "2");
  ASSERT_TRUE(ledger.Delete(0).ok());
  EXPECT_EQ(ledger.StatusText(),
            "1 \xE9"
            "critures, total -0,5");
  EXPECT_EQ(ledger.Serialize(),
            std::string(carnet_test::kHeader) + "02/01/2024;\"loyer; charges\";-0,5\r\n");
  EXPECT_EQ(ledger.Save().kind, ErrorKind::Unnamed);
}

// Entries whose every column has ties, quoting or fractions of different lengths.
const char kSortable[] =
    "date;libell\xE9;montant\n"
    "03/01/2024;b;1,25\n"
    "01/01/2024;B;-0,5\n"
    "02/01/2024;\xE9t\xE9;10\n"
    "01/01/2024;a;1,250\n"
    "03/01/2024;\"a\";-0,25\n"
    "02/01/2024;c;1,5\n";

TEST(LedgerModel, SortsAreStableByEachColumnBothWays) {
  struct Case {
    Column column;
    bool descending;
    Collation collation;
    std::vector<std::string> labels;
  };
  const auto caseless = [](const char* text, std::size_t size, std::string& key) {
    for (std::size_t i = 0; i < size; ++i)
      key += static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]);
  };
  const Case cases[] = {
      {Column::Date, false, nullptr, {"B", "a", "\xE9t\xE9", "c", "b", "a"}},
      {Column::Date, true, nullptr, {"b", "a", "\xE9t\xE9", "c", "B", "a"}},
      {Column::Amount, false, nullptr, {"B", "a", "b", "a", "c", "\xE9t\xE9"}},
      {Column::Amount, true, nullptr, {"\xE9t\xE9", "c", "b", "a", "a", "B"}},
      {Column::Label, false, ByteCollation, {"B", "a", "a", "b", "c", "\xE9t\xE9"}},
      {Column::Label, true, ByteCollation, {"\xE9t\xE9", "c", "b", "a", "a", "B"}},
      {Column::Label, false, caseless, {"a", "a", "b", "B", "c", "\xE9t\xE9"}},
  };
  for (const Case& c : cases) {
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(kSortable, "tri.csv").ok());
    ledger.Sort(c.column, c.descending, c.collation);
    EXPECT_EQ(Texts(ledger, Column::Label), c.labels)
        << int(c.column) << (c.descending ? " descending" : "");
    EXPECT_TRUE(ledger.Dirty());
  }
  Ledger sorted;
  ASSERT_TRUE(sorted.Load(kSortable, "tri.csv").ok());
  sorted.Sort(Column::Amount, false);
  EXPECT_EQ(Texts(sorted, Column::Amount),
            (std::vector<std::string>{"-0,5", "-0,25", "1,25", "1,25", "1,5", "10"}));
  Ledger again;
  ASSERT_TRUE(again.Load(sorted.Serialize(), "tri.csv").ok());
  again.Sort(Column::Amount, false);
  EXPECT_FALSE(again.Dirty());  // already in order: nothing moved
}

}  // namespace
}  // namespace carnet
