// Reading ledger files: every kind of malformed file is refused with its line number and leaves
// the open ledger alone; an untouched ledger saves byte for byte; an edit changes one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carnet_test_support.h"
#include "entry_encoding.h"
#include "entry_label.h"
#include "ledger.h"

namespace carnet {
namespace {

using carnet_test::kHeader;

const std::string kGood = "01/01/2024;pain;-1,5\r\n";

TEST(LedgerRead, MalformedFilesAreRefusedWithTheLineAtFault) {
  struct Case {
    std::string bytes;
    ErrorKind kind;
    std::uint64_t line;
  };
  const std::string h = kHeader;
  const std::vector<Case> cases = {
      {"", ErrorKind::Empty, 1},
      {"date;libelle;montant\r\n", ErrorKind::Header, 1},
      {"\xEF\xBB\xBF" + h, ErrorKind::BadUtf8, 1},  // the mark says UTF-8, "libellé" is not
      {std::string("\x00\xFF\x13\x80", 4), ErrorKind::Header, 1},
      {h + "01/01/2024;pain\r\n", ErrorKind::MissingField, 2},
      {h + kGood + "\r\n" + kGood, ErrorKind::MissingField, 3},
      {h + kGood + "01/01/2024;pain;1;2\r\n", ErrorKind::ExtraField, 3},
      {h + "31/02/2024;pain;1\r\n", ErrorKind::BadDate, 2},
      {h + "1/1/2024;pain;1\r\n", ErrorKind::BadDate, 2},
      {h + "01/01/2038;pain;1\r\n", ErrorKind::BadDate, 2},
      {h + std::string("\x00\x01\xFF;pain;1\n", 9), ErrorKind::BadDate, 2},
      {h + "01/01/2024;;1\r\n", ErrorKind::MissingLabel, 2},
      {h + "01/01/2024;" + std::string(101, 'x') + ";1\r\n", ErrorKind::LongLabel, 2},
      {h + std::string("01/01/2024;a\0b;1\r\n", 18), ErrorKind::BadCharacter, 2},
      {h + "01/01/2024;pain;1.5\r\n", ErrorKind::BadAmount, 2},
      {h + "01/01/2024;pain;\r\n", ErrorKind::BadAmount, 2},
      {h + kGood + "01/01/2024;pain;1234567890123456\n", ErrorKind::BadAmount, 3},
      {h + "01/01/2024;pain;1,1234567890\r\n", ErrorKind::BadAmount, 2},
      {h + kGood + "01/01/2024;pain;1\r", ErrorKind::BadAmount, 3},
      {h + "01/01/2024;\"pain;1\r\n", ErrorKind::UnclosedQuote, 2},
      {h + "01/01/2024;\"a\r\nb\";1\r\n", ErrorKind::UnclosedQuote, 2},
      {h + "01/01/2024;pa\"in;1\r\n", ErrorKind::MisplacedQuote, 2},
      {h + "01/01/2024;\"pain\"x;1\r\n", ErrorKind::MisplacedQuote, 2},
      {h + kGood + kGood + "01/01/2024;" + std::string(100 << 20, 'x') + ";1\r\n" + kGood,
       ErrorKind::LongLabel, 4},
  };
  for (const Case& c : cases) {
    Ledger ledger;
    ASSERT_TRUE(ledger.Load(h + kGood, "avant.csv").ok());
    const Result result = ledger.Load(c.bytes, "compte.csv");
    EXPECT_EQ(result.kind, c.kind) << c.bytes.substr(0, 80);
    EXPECT_EQ(result.line, c.line) << c.bytes.substr(0, 80);
    EXPECT_EQ(
        result.message.rfind("Fichier compte.csv, ligne " + std::to_string(c.line) + " : ", 0), 0u)
        << result.message;
    EXPECT_EQ(ledger.Count(), 1u);
    EXPECT_EQ(ledger.TotalText(), "-1,5");
  }
}

// A code page 1252 file: a label's bytes from 0x80 up stand plain, but for the five 1252 leaves
// undefined and what looks like UTF-8 (a lead byte and a trailing one), refused wherever in the
// label they stand, at the edges of the reader's sixteen-byte steps too.
TEST(LedgerRead, HighBytesOfALabelAreTakenOrRefusedWhereverTheyStand) {
  const std::string h = kHeader;
  for (int high = 0x80; high <= 0xFF; ++high) {
    for (const std::size_t before : {0, 5, 14, 15, 16, 31}) {
      for (const char* after : {"", "\x80", "\xBF", "x"}) {
        const std::string label = std::string(before, 'a') + static_cast<char>(high) + after + "z";
        const bool plain = CheckLabel(label.data(), label.size()) == LabelCheck::Ok &&
                           !HoldsUtf8Sequence(label.data(), label.size());
        Ledger ledger;
        const Result result =
            ledger.Load(h + kGood + "01/01/2024;" + label + ";1\r\n" + kGood, "compte.csv");
        ASSERT_EQ(result.ok(), plain) << std::hex << high << " after " << before << " bytes";
        if (!plain) {
          EXPECT_EQ(result.line, 3u);
        }
      }
    }
  }
}

TEST(LedgerRead, FailedOpenNamesTheFileAndKeepsTheOpenLedger) {
  carnet_test::TempFolder folder;
  const std::string good = folder.File("bon.csv");
  const std::string bad = folder.File("mauvais.csv");
  carnet_test::WriteBytes(good, kHeader + kGood);
  carnet_test::WriteBytes(bad, kHeader + kGood + "01/01/2024;pain;x\r\n");
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(good).ok());
  ASSERT_TRUE(ledger.Add("02/01/2024", "lait", "-2").ok());

  const Result refused = ledger.Open(bad);
  EXPECT_EQ(refused.kind, ErrorKind::BadAmount);
  EXPECT_EQ(refused.message, "Fichier " + bad +
                                 ", ligne 3 : montant incorrect (15 chiffres au plus avant la "
                                 "virgule, 9 apr\xE8s)");
  const Result missing = ledger.Open(folder.File("absent.csv"));
  EXPECT_EQ(missing.kind, ErrorKind::Io);
  EXPECT_NE(missing.systemError, 0u);
  EXPECT_EQ(
      missing.message.rfind("Fichier " + folder.File("absent.csv") + " : lecture impossible (", 0),
      0u);
  EXPECT_EQ(ledger.Open(folder.path().string()).kind, ErrorKind::Io);  // a folder

  EXPECT_EQ(ledger.Path(), good);
  EXPECT_TRUE(ledger.Dirty());
  EXPECT_EQ(ledger.StatusText(),
            "2 \xE9"
            "critures, total -3,5");
}

TEST(LedgerRead, ProgressReachesTheEndAndCancelChangesNothing) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  std::string bytes = kHeader;
  for (int i = 0; i < 200000; ++i) bytes += kGood;  // 4.4 MB: several progress steps
  carnet_test::WriteBytes(path, bytes);

  std::vector<std::uint64_t> steps;
  std::uint64_t last = 0;
  Ledger ledger;
  ASSERT_TRUE(ledger
                  .Open(path,
                        [&](std::uint64_t done, std::uint64_t total) {
                          EXPECT_TRUE(steps.empty() || done >= steps.back());
                          steps.push_back(done);
                          last = total;
                          return true;
                        })
                  .ok());
  EXPECT_GE(steps.size(), 4u);
  EXPECT_EQ(steps.back(), last);
  EXPECT_EQ(ledger.Count(), 200000u);

  Ledger other;
  const Result cancelled = other.Open(path, [](std::uint64_t, std::uint64_t) { return false; });
  EXPECT_EQ(cancelled.kind, ErrorKind::Cancelled);
  EXPECT_EQ(other.Count(), 0u);
  EXPECT_EQ(other.Path(), "");
}

// Untouched lines keep their bytes (quoting, trailing zeros, spaces) and end in CR LF.
const char* const kLines[] = {
    "01/02/2024;Boulangerie;-3,20",
    "15/03/2024;\"Caf\xE9 ; th\xE9\";-4,5",
    "\"16/03/2024\";\"Dit \"\"bonjour\"\"\";\"007\"",
    "31/12/2037;  Solde ;1234567890,123456789",
    "01/01/1970;-0;-0",
};

TEST(LedgerWrite, SaveKeepsUntouchedBytesAndAnEditChangesOneLine) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  const std::string endings[] = {"\r\n", "\n", "\r\n", "\n", ""};
  std::string original = kHeader;
  std::string expected = kHeader;
  for (int i = 0; i < 5; ++i) {
    original += kLines[i] + endings[i];
    expected += kLines[i] + std::string("\r\n");
  }
  carnet_test::WriteBytes(path, original);

  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path).ok());
  EXPECT_EQ(ledger.Text(1, Column::Label), "Caf\xE9 ; th\xE9");
  EXPECT_EQ(ledger.Text(2, Column::Label), "Dit \"bonjour\"");
  EXPECT_EQ(ledger.Text(2, Column::Amount), "7");
  EXPECT_EQ(ledger.Text(0, Column::Amount), "-3,2");
  EXPECT_EQ(ledger.TotalText(), "1234567889,423456789");
  ASSERT_TRUE(ledger.Set(0, Column::Amount, "-3,2").ok());  // the same value: untouched
  EXPECT_FALSE(ledger.Dirty());
  ASSERT_TRUE(ledger.Save().ok());
  EXPECT_EQ(carnet_test::ReadBytes(path), expected);
  ASSERT_TRUE(ledger.Open(path).ok());
  EXPECT_EQ(ledger.Serialize(), expected);

  ASSERT_TRUE(ledger.Set(2, Column::Date, "17/03/2024").ok());
  ASSERT_TRUE(ledger.SaveAs(folder.File("copie.csv")).ok());
  EXPECT_EQ(ledger.Path(), folder.File("copie.csv"));
  std::string edited = kHeader;
  for (int i = 0; i < 5; ++i)
    edited += (i == 2 ? "17/03/2024;\"Dit \"\"bonjour\"\"\";7" : kLines[i]) + std::string("\r\n");
  EXPECT_EQ(carnet_test::ReadBytes(folder.File("copie.csv")), edited);
  EXPECT_EQ(carnet_test::ReadBytes(path), expected);
}

}  // namespace
}  // namespace carnet
