// A grid's held rows: the compact store against a plain model through every kind of change, its
// size for a million short rows, and sorting by typed columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// Thousands of rows, so that the sort counts digits rather than compares: every order against a
// stable sort of the values the test wrote, from whatever order the last sort left, both ways
// (equal values keep their order, unreadable cells come first upwards and last downwards).
TEST_F(GridSort, ManyRowsAgreeWithAStableSortOfTheValuesWritten) {
  ASSERT_EQ(ZK_FormGridColumnAdd("f", "g", "moment", 4, 80, "Moment",
                                 "type=date;format=yyyy-mm-dd hh:nn:ss"),
            0);
  ASSERT_EQ(ZK_FormGridColumnAdd("f", "g", "fin", 5, 80, "Fin", "type=currency;format=9999,88"), 0);
  struct Row {
    long long day = -1;  // days and seconds from 1970; -1: no readable date
    long long moment = -1;
    long long cents = 0;  // amounts in hundredths ("montant")...
    bool amount = false;
    long long nanos = 0;  // ... and in billionths, far apart ("fin")
    bool fine = false;
  };
  std::mt19937 random(7);
  std::vector<Row> values(5000);
  char text[64];
  for (std::size_t i = 0; i < values.size(); ++i) {
    Row& v = values[i];
    std::vector<std::string> cells(5);
    cells[1] = std::to_string(i);
    const int year = 1990 + static_cast<int>(random() % 40), month = 1 + random() % 12,
              day = 1 + random() % 28, hour = random() % 24, minute = random() % 60;
    if (random() % 20 != 0) {
      std::snprintf(text, sizeof text, random() % 2 ? "%02d/%02d/%04d" : "%d/%d/%d", day, month,
                    year);
      cells[0] = text;
      v.day = (year - 1970) * 10000 + month * 100 + day;  // orders as the days do
    }
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:00", year, month, day, hour, minute);
    cells[3] = text;
    v.moment = ((year - 1970) * 10000LL + month * 100 + day) * 10000 + hour * 100 + minute;
    if (random() % 30 != 0) {
      v.cents = static_cast<long long>(random() % 2000001) - 1000000;
      std::snprintf(text, sizeof text, "%s%lld,%02lld", v.cents < 0 ? "-" : "",
                    std::llabs(v.cents) / 100, std::llabs(v.cents) % 100);
      cells[2] = text;
      v.amount = true;
    }
    if (random() % 30 != 0) {
      const long long units = static_cast<long long>(random() % 1000) * 1000000;  // up to 10^9
      const long long billionths = random() % 1000000000;
      v.nanos = units * 1000000000 + billionths;
      std::snprintf(text, sizeof text, "%lld,%09lld", units, billionths);
      cells[4] = text;
      v.fine = true;
    }
    ASSERT_EQ(ZK_FormGridRowInsert("f", "g", -1, cells), 0);
  }
  // A row's value in a column, unreadable ones lowest.
  using Key = std::pair<bool, long long>;
  const auto keyOf = [&](const std::string& column, const Row& v) -> Key {
    if (column == "date") return {v.day >= 0, v.day};
    if (column == "moment") return {true, v.moment};
    if (column == "montant") return {v.amount, v.amount ? v.cents : 0};
    return {v.fine, v.fine ? v.nanos : 0};
  };
  const struct {
    const char* column;
    bool descending;
  } sorts[] = {{"date", false},   {"date", true},     {"moment", false}, {"moment", true},
               {"moment", false}, {"montant", false}, {"montant", true}, {"fin", true},
               {"fin", false},    {"date", true}};
  for (const auto& sort : sorts) {
    SCOPED_TRACE(testing::Message() << sort.column << (sort.descending ? " down" : " up"));
    std::vector<std::size_t> expected;
    for (const std::string& id : column("texte")) expected.push_back(std::stoul(id));
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
      const Key x = keyOf(sort.column, values[a]), y = keyOf(sort.column, values[b]);
      return sort.descending ? y < x : x < y;
    });
    ASSERT_EQ(ZK_FormGridSort("f", "g", sort.column, sort.descending), 0);
    const Texts ids = column("texte");
    for (std::size_t row = 0; row < ids.size(); ++row)
      ASSERT_EQ(ids[row], std::to_string(expected[row])) << "row " << row;
  }
}

}  // namespace
