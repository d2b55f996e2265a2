// The user's collation on Windows: labels in dictionary order (case and accents come after the
// letters), not in code page order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ledger.h"

namespace carnet {
namespace {

TEST(LedgerCollation, LabelsSortInTheUsersOrder) {
  Ledger ledger;
  ASSERT_TRUE(ledger
                  .Load("date;libell\xE9;montant\r\n01/01/2024;f;1\r\n01/01/2024;\xE9t\xE9;1\r\n"
                        "01/01/2024;B;1\r\n01/01/2024;a;1\r\n01/01/2024;ete;1\r\n",
                        "tri.csv")
                  .ok());
  ledger.Sort(Column::Label, false);
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < ledger.Count(); ++i) labels.push_back(ledger.Text(i, Column::Label));
  EXPECT_EQ(labels, (std::vector<std::string>{"a", "B", "ete", "\xE9t\xE9", "f"}));
}

}  // namespace
}  // namespace carnet
