// A grid's held rows: the compact store against a plain model through every kind of change, its
// size for a million short rows, and sorting by typed columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "grid/grid_intl.h"

namespace {

using Model = std::vector<std::vector<std::string>>;

std::string randomText(std::mt19937& random) {
  std::string text(random() % 12, '\0');
  for (char& c : text) c = static_cast<char>(random() % 256);  // every byte, NUL included
  return text;
}

void expectSame(const ZK_GridRows& rows, const Model& model) {
  ASSERT_EQ(rows.Count(), model.size());
  for (std::size_t row = 0; row < model.size(); ++row)
    for (std::size_t slot = 0; slot < 6; ++slot) {
      const std::string expected = slot < model[row].size() ? model[row][slot] : "";
      ASSERT_EQ(std::string(rows.Cell(row, slot)), expected) << row << "," << slot;
    }
}

TEST(GridRows, FollowInsertsErasesSetsAndReorders) {
  std::mt19937 random(15);
  ZK_GridRows rows;
  Model model;
  // One row longer than a chunk, which gets one of its own.
  const std::string huge(5 << 20, 'x');
  for (int step = 0; step < 6000; ++step) {
    const std::size_t count = model.size();
    const unsigned what = random() % 10;
    if (what < 4 || count == 0) {
      std::vector<std::string> cells(random() % 5);
      for (std::string& cell : cells) cell = step == 3000 ? huge : randomText(random);
      std::vector<std::string_view> views(cells.begin(), cells.end());
      const std::size_t at = random() % (count + 1);
      ASSERT_TRUE(rows.Insert(at, views));
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), cells);
    } else if (what < 6) {
      const std::size_t at = random() % count;
      rows.Erase(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (what < 9) {
      const std::size_t at = random() % count;
      const std::size_t slot = random() % 6;
      const std::string text = randomText(random);
      ASSERT_TRUE(rows.Set(at, slot, text));
      if (model[at].size() <= slot) model[at].resize(slot + 1);
      model[at][slot] = text;
    } else {
      std::vector<std::uint32_t> order(count);
      for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
      std::shuffle(order.begin(), order.end(), random);
      rows.Reorder(order);
      Model reordered;
      for (std::uint32_t from : order) reordered.push_back(model[from]);
      model.swap(reordered);
    }
    if (step % 500 == 0) expectSame(rows, model);
  }
  expectSame(rows, model);
}

TEST(GridRows, DeadRowsAreGivenBack) {
  ZK_GridRows rows;
  const std::size_t live = 20000 * 500;
  for (int row = 0; row < 20000; ++row)
    ASSERT_TRUE(rows.Insert(rows.Count(), {std::string(500, 'a')}));
  // Ten times the live bytes rewritten: without compaction they would all stay.
  for (char pass = 'b'; pass < 'l'; ++pass)
    for (std::size_t row = 0; row < rows.Count(); ++row)
      ASSERT_TRUE(rows.Set(row, 0, std::string(500, pass)));
  EXPECT_LE(rows.Bytes(), 2 * live + (28u << 20));
  EXPECT_EQ(rows.Cell(19999, 0), std::string(500, 'k'));
  while (rows.Count() > 0) rows.Erase(rows.Count() - 1);
  EXPECT_LE(rows.Bytes(), 5u << 20) << "the chunks of erased rows are kept";
}

TEST(GridRows, AMillionRowsOfThreeShortTextsTakeLessThanTwiceTheirBytes) {
  ZK_GridRows rows;
  std::size_t textBytes = 0;
  for (int row = 0; row < 1000000; ++row) {
    const std::string date = "0" + std::to_string(1 + row % 9) + "/03/2026";
    const std::string label = "Libell\xE9 " + std::to_string(row % 1000);
    const std::string amount = "-" + std::to_string(row % 5000) + ",5";
    textBytes += date.size() + label.size() + amount.size();
    ASSERT_TRUE(rows.Insert(rows.Count(), {date, label, amount}));
  }
  EXPECT_LE(rows.Bytes(), 2 * textBytes);
  EXPECT_EQ(rows.Cell(999999, 1), "Libell\xE9 999");
}

// Sorting goes through the public functions on a grid whose form is not open.
class GridSort : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZK_FormItemAdd("f", "g", ZK_DATAGRID, 1, 0, 0, 100, 100, ""), 0);
    ASSERT_EQ(ZK_FormGridColumnAdd("f", "g", "date", 1, 80, "Date", "type=date;format=dd/mm/yyyy"),
              0);
    ASSERT_EQ(ZK_FormGridColumnAdd("f", "g", "texte", 2, 80, "Texte", ""), 0);
    ASSERT_EQ(
        ZK_FormGridColumnAdd("f", "g", "montant", 3, 80, "Montant", "type=currency;format=9999,88"),
        0);
  }
  void rows(const std::vector<std::vector<std::string>>& cells) {
    for (const auto& row : cells) ASSERT_EQ(ZK_FormGridRowInsert("f", "g", -1, row), 0);
  }
  std::vector<std::string> column(const std::string& name) {
    std::vector<std::string> texts;
    for (int row = 0; row < ZK_FormGridGet("f", "g").rows; ++row)
      texts.push_back(ZK_FormGridCellGet("f", "g", row, name));
    return texts;
  }
  using Texts = std::vector<std::string>;
};

TEST_F(GridSort, DatesInTimeOrderUnreadableFirstEqualOnesKeepTheirOrder) {
  rows({{"05/03/2026", "a"},
        {"", "b"},
        {"28/02/2026", "c"},
        {"01/01/1999", "d"},
        {"n'importe", "e"},
        {"28/02/2026", "f"}});
  ASSERT_EQ(ZK_FormGridSort("f", "g", "date", false), 0);
  EXPECT_EQ(column("texte"), (Texts{"b", "e", "d", "c", "f", "a"}));
  ASSERT_EQ(ZK_FormGridSort("f", "g", "date", true), 0);
  EXPECT_EQ(column("texte"), (Texts{"a", "c", "f", "d", "b", "e"}));
  const GridRecord grid = ZK_FormGridGet("f", "g");
  EXPECT_EQ(grid.sortColumn, "date");
  EXPECT_TRUE(grid.descending);
}

TEST_F(GridSort, AmountsExactlyWithTheirSign) {
  rows({{"", "", "12"},
        {"", "", "-1,2"},
        {"", "", "0,5"},
        {"", "", ""},
        {"", "", "-1,5"},
        {"", "", "2"},
        {"", "", "0,05"},
        {"", "", "-0,000000001"}});
  ZK_FormGridSort("f", "g", "montant", false);
  EXPECT_EQ(column("montant"),
            (Texts{"", "-1,5", "-1,2", "-0,000000001", "0,05", "0,5", "2", "12"}));
}

TEST_F(GridSort, TextsInTheUsersCollationNotByBytes) {
  rows({{"",
         "Z\xE8"
         "bre"},
        {"", "eau"},
        {"", "Bcd"},
        {"", "\xE9lan"},
        {"", "abc"}});
  ZK_FormGridSort("f", "g", "texte", false);
  EXPECT_EQ(column("texte"), (Texts{"abc", "Bcd", "eau", "\xE9lan",
                                    "Z\xE8"
                                    "bre"}));
}

}  // namespace
