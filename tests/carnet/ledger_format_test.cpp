// Today's files: UTF-8 with or without its mark, LF line ends, the spreadsheet's dd/mm/yy dates
// and amounts, and the fourth field: each read right and written back in its own form, byte for
// byte for the lines not touched; mixed encodings refused with their line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carnet_test_support.h"
#include "ledger.h"

namespace carnet {
namespace {

const std::string kUtf8Header = "date;libell\xC3\xA9;montant";

TEST(LedgerFormat, UnicodeFilesAndLineEndsComeBackInTheirOwnForm) {
  struct Case {
    const char* name;
    std::string file;
    Encoding encoding;
    std::string added;  // the line Add writes
  };
  const Case cases[] = {
      {"utf-8 with its mark, CR LF",
       "\xEF\xBB\xBF" + kUtf8Header +
           "\r\n01/02/2024;Caf\xC3\xA9 cr\xC3\xA8me;-3,20\r\n02/02/2024;\"\xC3\x89t\xC3\xA9 ; "
           "f\xC3\xAAte\";12\r\n",
       Encoding::Utf8Bom, "03/02/2024;No\xC3\xABl \xE2\x82\xAC;-1\r\n"},
      {"utf-8, LF",
       kUtf8Header + "\n01/02/2024;Caf\xC3\xA9 cr\xC3\xA8me;-3,20\n"
                     "02/02/2024;\"\xC3\x89t\xC3\xA9 ; f\xC3\xAAte\";12\n",
       Encoding::Utf8, "03/02/2024;No\xC3\xABl \xE2\x82\xAC;-1\n"},
      {"1252, LF",
       "date;libell\xE9;montant\n01/02/2024;Caf\xE9 cr\xE8me;-3,20\n"
       "02/02/2024;\"\xC9t\xE9 ; f\xEAte\";12\n",
       Encoding::Windows1252, "03/02/2024;No\xEBl \x80;-1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(c.file, "u.csv").ok());
    EXPECT_EQ(ledger.FileEncoding(), c.encoding);
    EXPECT_EQ(ledger.Text(0, Column::Label), "Caf\xE9 cr\xE8me");  // code page 1252
    EXPECT_EQ(ledger.Text(1, Column::Label), "\xC9t\xE9 ; f\xEAte");
    EXPECT_EQ(ledger.TotalText(), "8,8");
    EXPECT_EQ(ledger.Serialize(), c.file);
    ASSERT_TRUE(ledger.Add("03/02/2024", "No\xEBl \x80", "-1").ok());
    EXPECT_EQ(ledger.Serialize(), c.file + c.added);
    EXPECT_EQ(ledger.Find("noel", 0), 2u);
  }
}

TEST(LedgerFormat, LabelsCodePage1252LacksShowAsQuestionMarksAndKeepTheirBytes) {
  const std::string file = kUtf8Header +
                           "\r\n01/02/2024;\xC5\x81\xC3\xB3"
                           "d\xC5\xBA \xE2\x9C\x93;-3\r\n";
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(file, "u.csv").ok());
  EXPECT_EQ(ledger.Text(0, Column::Label),
            "?\xF3"
            "d? ?");
  ASSERT_TRUE(ledger
                  .Set(0, Column::Label,
                       "?\xF3"
                       "d? ?")
                  .ok());  // as shown: untouched
  EXPECT_FALSE(ledger.Dirty());
  ASSERT_TRUE(ledger.Set(0, Column::Amount, "-4").ok());  // the label's own bytes stay
  EXPECT_EQ(ledger.Serialize(), kUtf8Header +
                                    "\r\n01/02/2024;\xC5\x81\xC3\xB3"
                                    "d\xC5\xBA \xE2\x9C\x93;-4\r\n");
  ASSERT_TRUE(ledger.Set(0, Column::Label, "Lodz").ok());
  EXPECT_EQ(ledger.Serialize(), kUtf8Header + "\r\n01/02/2024;Lodz;-4\r\n");
}

// The ledger as a spreadsheet saves it "as shown": two-digit years, amounts with two decimals,
// in code page 1252 or UTF-8.
TEST(LedgerFormat, SpreadsheetFilesOpenWithTheRightDatesAndTotalAndSaveBackAsTheyCame) {
  const std::string ours =
      "date;libell\xE9;montant\r\n25/10/2021;Caf\xE9;-859,98\r\n01/01/2000;Loyer;-780\r\n"
      "31/12/2037;Salaire;2150,5\r\n01/01/1970;\"a;b\";0,01\r\n";
  const std::string sheet1252 =
      "date;libell\xE9;montant\n25/10/21;Caf\xE9;-859,98\n01/01/00;Loyer;-780,00\n"
      "31/12/37;Salaire;2150,50\n01/01/70;\"a;b\";0,01\n";
  const std::string sheetUtf8 =
      "\xEF\xBB\xBF" + kUtf8Header +
      "\r\n25/10/21;Caf\xC3\xA9;-859,98\r\n01/01/00;Loyer;-780,00\r\n31/12/37;Salaire;2150,50\r\n"
      "01/01/70;\"a;b\";0,01\r\n";
  Ledger reference;
  ASSERT_TRUE(reference.Load(ours, "ours.csv").ok());
  for (const std::string& sheet : {sheet1252, sheetUtf8}) {
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(sheet, "sheet.csv").ok());
    ASSERT_EQ(ledger.Count(), reference.Count());
    for (std::size_t i = 0; i < ledger.Count(); ++i)
      for (Column column : {Column::Date, Column::Label, Column::Amount})
        EXPECT_EQ(ledger.Text(i, column), reference.Text(i, column));
    EXPECT_EQ(ledger.TotalText(), reference.TotalText());
    EXPECT_EQ(ledger.Serialize(), sheet);
    // A line written anew takes the file's two-digit years.
    ASSERT_TRUE(ledger.Set(1, Column::Date, "02/01/2000").ok());
    EXPECT_NE(ledger.Serialize().find("02/01/00;Loyer;-780"), std::string::npos);
  }
  struct Case {
    const char* date;
    bool read;
  };
  const Case years[] = {{"01/01/69", false}, {"01/01/70", true},   {"31/12/37", true},
                        {"01/01/38", false}, {"29/02/24", true},   {"29/02/23", false},
                        {"1/01/24", false},  {"01/01/2024", true}, {"01/01/-1", false}};
  for (const Case& c : years) {
    Ledger ledger;
    EXPECT_EQ(
        ledger.Load("date;libell\xE9;montant\n" + std::string(c.date) + ";a;1\n", "y.csv").ok(),
        c.read)
        << c.date;
  }
}

TEST(LedgerFormat, MixedEncodingsAreRefusedAtTheirLine) {
  struct Case {
    std::string file;
    ErrorKind kind;
    std::uint64_t line;
  };
  const std::string h1252 = "date;libell\xE9;montant\r\n";
  const std::string good = "01/01/2024;pain;1\r\n";
  const Case cases[] = {
      {h1252 + good + "02/01/2024;Caf\xC3\xA9;1\r\n", ErrorKind::MixedEncoding, 3},
      {h1252 + "02/01/2024;\"\xC3\xA9t\xC3\xA9\";1\r\n", ErrorKind::MixedEncoding, 2},
      {kUtf8Header + "\r\n" + good + good + "02/01/2024;Caf\xE9;1\r\n", ErrorKind::BadUtf8, 4},
      {"\xEF\xBB\xBF" + kUtf8Header + "\r\n" + good + "02/01/2024;\xC3(;1\r\n", ErrorKind::BadUtf8,
       3},
      {kUtf8Header + "\r\n02/01/2024;\xC2\x85;1\r\n", ErrorKind::BadCharacter, 2},  // C1 control
      {kUtf8Header + "\r\n02/01/2024;" + std::string(100, '\xC3') + ";1\r\n", ErrorKind::BadUtf8,
       2},
  };
  for (const Case& c : cases) {
    Ledger ledger;
    const Result result = ledger.Load(c.file, "m.csv");
    EXPECT_EQ(result.kind, c.kind) << c.file;
    EXPECT_EQ(result.line, c.line) << c.file;
  }
  // A hundred characters of two bytes each are a hundred characters.
  std::string wide;
  for (int i = 0; i < 100; ++i) wide += "\xC3\xA9";
  Ledger ledger;
  EXPECT_TRUE(ledger.Load(kUtf8Header + "\r\n02/01/2024;" + wide + ";1\r\n", "w.csv").ok());
  EXPECT_EQ(ledger.Load(kUtf8Header + "\r\n02/01/2024;" + wide + "e;1\r\n", "w.csv").kind,
            ErrorKind::LongLabel);
}

TEST(LedgerFormat, TheCategoryFieldIsWrittenOnlyOnceACategoryIsGiven) {
  const std::string three =
      "date;libell\xE9;montant\r\n01/01/2024;pain;-1\r\n02/01/2024;lait;-2\r\n";
  Ledger ledger;
  ASSERT_TRUE(ledger.Load(three, "c.csv").ok());
  EXPECT_EQ(ledger.Text(0, Column::Category), "");
  ASSERT_TRUE(ledger.Set(1, Column::Category, "Courses; frais").ok());
  EXPECT_EQ(ledger.Serialize(),
            "date;libell\xE9;montant;cat\xE9gorie\r\n01/01/2024;pain;-1;\r\n"
            "02/01/2024;lait;-2;\"Courses; frais\"\r\n");
  EXPECT_EQ(ledger.Text(1, Column::Category), "Courses; frais");
  ASSERT_TRUE(ledger.Set(1, Column::Category, "").ok());
  EXPECT_EQ(ledger.Serialize(),
            "date;libell\xE9;montant\r\n01/01/2024;pain;-1\r\n02/01/2024;lait;-2\r\n");
  ASSERT_TRUE(ledger.Undo());
  ASSERT_TRUE(ledger.Undo());
  EXPECT_EQ(ledger.Serialize(), three);

  // A file with the field keeps it, and each of its lines must have it.
  const std::string four = "date;libell\xE9;montant;cat\xE9gorie\n01/01/2024;pain;-1;\n";
  ASSERT_TRUE(ledger.Load(four, "c.csv").ok());
  ASSERT_TRUE(ledger.Add("02/01/2024", "lait", "-2").ok());
  EXPECT_EQ(ledger.Serialize(), four + "02/01/2024;lait;-2;\n");
  const Result missing = ledger.Load(four + "02/01/2024;lait;-2\n", "c.csv");
  EXPECT_EQ(missing.kind, ErrorKind::MissingField);
  EXPECT_EQ(missing.line, 3u);
  EXPECT_EQ(ledger.Load(three + "03/01/2024;a;1;b\r\n", "c.csv").kind, ErrorKind::ExtraField);
}

}  // namespace
}  // namespace carnet
