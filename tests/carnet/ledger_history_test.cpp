// Undo and redo: every kind of change goes back and comes again byte for byte, with its total;
// the unsaved state follows the history; a group is one step; a sort keeps little when it moved
// little; the oldest steps go past the budget.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "carnet_test_support.h"
#include "ledger.h"
#include "ledger_intl.h"

namespace carnet {
namespace {

const char kFile[] =
    "date;libell\xE9;montant\r\n"
    "03/01/2024;\"Caf\xE9 ; th\xE9\";-4,50\r\n"
    "01/01/2024;Loyer;-780\r\n"
    "02/01/2024;Salaire;2150,000\r\n"
    "05/01/2024;Pain;-1,2\r\n";

struct Snapshot {
  std::string bytes;
  std::string status;
  bool operator==(const Snapshot& other) const {
    return bytes == other.bytes && status == other.status;
  }
};

Snapshot Take(const Ledger& ledger) {
  return Snapshot{ledger.Serialize(), ledger.StatusText()};
}

TEST(LedgerHistory, EveryChangeUndoesAndRedoesByteForByte) {
  struct Case {
    const char* name;
    std::function<void(Ledger&)> change;
  };
  const Case cases[] = {
      {"set", [](Ledger& l) { ASSERT_TRUE(l.Set(1, Column::Amount, "-800").ok()); }},
      {"add", [](Ledger& l) { ASSERT_TRUE(l.Add("06/01/2024", "Lait", "-0,99", "Courses").ok()); }},
      {"delete", [](Ledger& l) { ASSERT_TRUE(l.Delete(0).ok()); }},
      {"delete many",
       [](Ledger& l) {
         ASSERT_TRUE(l.Delete({3, 0, 2, 0}).ok());
       }},
      {"sort", [](Ledger& l) { l.Sort(Column::Date, false); }},
      {"sort down", [](Ledger& l) { l.Sort(Column::Amount, true); }},
      {"paste",
       [](Ledger& l) {
         l.GroupBegin();
         ASSERT_TRUE(l.Set(0, Column::Label, "Th\xE9").ok());
         ASSERT_TRUE(l.Set(1, Column::Category, "Logement").ok());
         ASSERT_TRUE(l.Add("07/01/2024", "Cin\xE9ma", "-9").ok());
         l.GroupEnd();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(kFile, "h.csv").ok());
    const Snapshot before = Take(ledger);
    c.change(ledger);
    const Snapshot after = Take(ledger);
    EXPECT_FALSE(after == before);
    EXPECT_TRUE(ledger.Dirty());
    ASSERT_TRUE(ledger.Undo());
    EXPECT_TRUE(Take(ledger) == before);
    EXPECT_FALSE(ledger.Dirty());
    EXPECT_FALSE(ledger.Undo());
    ASSERT_TRUE(ledger.Redo());
    EXPECT_TRUE(Take(ledger) == after);
    EXPECT_TRUE(ledger.Dirty());
    EXPECT_FALSE(ledger.Redo());
  }
}

TEST(LedgerHistory, DirtyFollowsTheSavedStateBothWays) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("h.csv");
  carnet_test::WriteBytes(path, kFile);
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path).ok());
  ASSERT_TRUE(ledger.Set(0, Column::Amount, "-5").ok());
  ASSERT_TRUE(ledger.Set(1, Column::Amount, "-790").ok());
  ASSERT_TRUE(ledger.Save().ok());
  EXPECT_FALSE(ledger.Dirty());
  ASSERT_TRUE(ledger.Undo());  // before the save
  EXPECT_TRUE(ledger.Dirty());
  ASSERT_TRUE(ledger.Redo());  // the saved state again
  EXPECT_FALSE(ledger.Dirty());
  ASSERT_TRUE(ledger.Undo());
  ASSERT_TRUE(ledger.Set(2, Column::Label, "Paie").ok());  // the saved state is gone for good
  EXPECT_FALSE(ledger.CanRedo());
  ASSERT_TRUE(ledger.Undo());
  EXPECT_TRUE(ledger.Dirty());
  EXPECT_EQ(ledger.Text(1, Column::Amount), "-780");
  // A value equal to the one held and a sort that moves nothing are no steps.
  ASSERT_TRUE(ledger.Set(1, Column::Amount, "-780,0").ok());
  ledger.Sort(Column::Amount, false);
  ledger.Sort(Column::Amount, false);
  ASSERT_TRUE(ledger.Undo());
  ASSERT_TRUE(ledger.Undo());
  EXPECT_FALSE(ledger.Undo());
  EXPECT_EQ(ledger.Serialize(), kFile);
}

TEST(LedgerHistory, ManyStepsBackThenForwardThenABranch) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(kFile, "h.csv").ok());
  std::vector<Snapshot> states{Take(ledger)};
  for (int i = 0; i < 200; ++i) {
    const std::string amount = std::to_string(i) + ",5";
    if (i % 3 == 0) {
      ASSERT_TRUE(ledger.Add("10/02/2024", "n" + std::to_string(i), amount).ok());
    } else if (i % 3 == 1) {
      ASSERT_TRUE(ledger.Set(i % ledger.Count(), Column::Amount, amount).ok());
    } else {
      ASSERT_TRUE(ledger.Delete(i % ledger.Count()).ok());
    }
    states.push_back(Take(ledger));
  }
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(ledger.Undo());
    ASSERT_TRUE(Take(ledger) == states[i - 1]) << i;
  }
  for (std::size_t i = 1; i < 100; ++i) ASSERT_TRUE(ledger.Redo());
  ASSERT_TRUE(Take(ledger) == states[99]);
  ASSERT_TRUE(ledger.Add("11/02/2024", "branche", "1").ok());
  EXPECT_FALSE(ledger.CanRedo());
  ASSERT_TRUE(ledger.Undo());
  EXPECT_TRUE(Take(ledger) == states[99]);
}

// The state of a ledger, driven through the history's own functions to see what it holds.
class SortHistory : public testing::Test {
 protected:
  void Load(const std::string& bytes) {
    ASSERT_TRUE(AllocateBytesIntl(state_, bytes.size()));
    bytes.copy(state_.bytes.get(), bytes.size());
    ASSERT_TRUE(ParseLedgerIntl("tri.csv", state_, Progress()).ok());
    ResetHistoryIntl(state_);
  }
  // The bytes the sort's step holds.
  std::size_t Sort(Column column, bool descending) {
    Change change;
    change.kind = ChangeKind::Permute;
    change.positions = SortOrderIntl(state_, column, descending, ByteCollation);
    OpenStepIntl(state_);
    CommitChangeIntl(state_, std::move(change));
    CloseStepIntl(state_);
    return state_.history.done.back().bytes;
  }
  std::vector<int> Days() const {
    std::vector<int> days;
    for (const Row& row : state_.rows) days.push_back(row.days);
    return days;
  }
  LedgerState state_;
};

TEST_F(SortHistory, ASortThatMovedOneEntryKeepsOnlyItsRuns) {
  // In date order but for one entry added at the end.
  std::string file = "date;libell\xE9;montant\r\n";
  for (int day = 10; day <= 28; ++day)
    for (int i = 0; i < 500; ++i)
      file += std::to_string(day) + "/01/2024;x;" + std::to_string(i) + "\r\n";
  file += "15/01/2024;y;2\r\n";
  Load(file);
  const std::vector<int> before = Days();
  EXPECT_LT(Sort(Column::Date, false), 200u);  // three runs, not 9 501 positions
  EXPECT_NE(Days(), before);
  ASSERT_TRUE(UndoIntl(state_));
  EXPECT_EQ(Days(), before);
  // Sorted by amount, nothing stays together: the whole order, four bytes an entry.
  EXPECT_GE(Sort(Column::Amount, true), 4u * 9501);
  ASSERT_TRUE(UndoIntl(state_));
  EXPECT_EQ(Days(), before);
}

TEST_F(SortHistory, TheOldestStepsGoPastTheBudget) {
  std::string file = "date;libell\xE9;montant\r\n";
  for (int i = 0; i < 200000; ++i)
    file += "0" + std::to_string(1 + i % 9) + "/0" + std::to_string(1 + i * 7 % 9) + "/2024;x;" +
            std::to_string(i * 7919 % 100003) + "\r\n";
  Load(file);
  const std::size_t budget = state_.history.budget;
  int undoable = 0;
  for (int i = 0; i < 12; ++i) {
    Sort(i % 2 ? Column::Date : Column::Amount, i % 3 == 0);
    EXPECT_LE(state_.history.bytes, budget + 4 * 200000 + 4096);
  }
  while (UndoIntl(state_)) ++undoable;
  EXPECT_GT(undoable, 0);
  EXPECT_LT(undoable, 12);
}

}  // namespace
}  // namespace carnet
