// Nothing lost: a second ledger on a file open elsewhere is read-only until the first lets go; a
// file another program changed, replaced or deleted is not overwritten unless asked; each save
// keeps the previous file as .bak; leftovers of killed saves go once nobody holds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "carnet_test_support.h"
#include "ledger.h"
#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

namespace fs = std::filesystem;
using carnet_test::ReadBytes;
using carnet_test::WriteBytes;

const std::string kOriginal = "date;libell\xE9;montant\r\n01/01/2024;pain;-1\r\n";

class LedgerLock : public testing::Test {
 protected:
  void SetUp() override { WriteBytes(path_, kOriginal); }
  void TearDown() override { SetLeftoverAgeIntl(10); }

  carnet_test::TempFolder folder_;
  std::string path_ = folder_.File("carnet.csv");
};

TEST_F(LedgerLock, ASecondLedgerIsReadOnlyUntilTheFirstLetsGo) {
  Ledger first;
  ASSERT_TRUE(first.Open(path_).ok());
  EXPECT_FALSE(first.ReadOnly());
  Ledger second;
  ASSERT_TRUE(second.Open(path_).ok());
  EXPECT_TRUE(second.ReadOnly());
  EXPECT_EQ(second.ReadOnlyMessage(), "Fichier " + path_ +
                                          " : d\xE9j\xE0 ouvert dans un autre programme ; ouvert "
                                          "en lecture seule");
  ASSERT_TRUE(second.Add("02/01/2024", "lait", "-2").ok());
  const Result refused = second.Save();
  EXPECT_EQ(refused.kind, ErrorKind::Locked);
  EXPECT_EQ(second.SaveAs(path_).kind, ErrorKind::Locked);
  EXPECT_EQ(ReadBytes(path_), kOriginal);

  ASSERT_TRUE(first.Set(0, Column::Amount, "-1,1").ok());
  ASSERT_TRUE(first.Save().ok());
  const std::string saved = ReadBytes(path_);
  EXPECT_EQ(second.CheckDisk(), DiskState::Modified);
  first.New();  // lets go of the file

  // The second may save now, but only once asked to replace what the first saved meanwhile.
  const Result changed = second.Save();
  EXPECT_EQ(changed.kind, ErrorKind::ChangedOnDisk);
  EXPECT_EQ(changed.message, "Fichier " + path_ +
                                 " : modifi\xE9 par un autre programme depuis son ouverture ; "
                                 "rien n'est enregistr\xE9");
  EXPECT_EQ(ReadBytes(path_), saved);
  ASSERT_TRUE(second.Save({}, SaveMode::Overwrite).ok());
  EXPECT_FALSE(second.ReadOnly());
  EXPECT_EQ(ReadBytes(path_), kOriginal + "02/01/2024;lait;-2\r\n");
  Ledger third;
  ASSERT_TRUE(third.Open(path_).ok());
  EXPECT_TRUE(third.ReadOnly());  // the second holds it now
  // Opened again by the ledger that holds it, it is not open elsewhere.
  ASSERT_TRUE(second.Open(path_).ok());
  EXPECT_FALSE(second.ReadOnly());
  ASSERT_TRUE(third.Open(path_).ok());
  EXPECT_TRUE(third.ReadOnly());
}

TEST_F(LedgerLock, AFileChangedReplacedOrDeletedElsewhereIsNotOverwrittenUnlessAsked) {
  struct Case {
    const char* name;
    DiskState state;
    void (*change)(const std::string& path);
  };
  const Case cases[] = {
      {"written over", DiskState::Modified,
       [](const std::string& path) { WriteBytes(path, kOriginal + "03/01/2024;autre;1\r\n"); }},
      {"replaced", DiskState::Modified,
       [](const std::string& path) {
         WriteBytes(path + ".autre", kOriginal);
         fs::rename(path + ".autre", path);
       }},
      {"deleted", DiskState::Missing, [](const std::string& path) { fs::remove(path); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path_, kOriginal);
    Ledger holder;  // holds the lock, so that `ledger` holds nothing the other program meets
    ASSERT_TRUE(holder.Open(path_).ok());
    Ledger ledger;
    ASSERT_TRUE(ledger.Open(path_).ok());
    holder.New();
    ASSERT_TRUE(ledger.Add("02/01/2024", "lait", "-2").ok());
    EXPECT_EQ(ledger.CheckDisk(), DiskState::Unchanged);
    c.change(path_);
    const std::string left = fs::exists(path_) ? ReadBytes(path_) : "";
    EXPECT_EQ(ledger.CheckDisk(), c.state);
    EXPECT_EQ(ledger.Save().kind, ErrorKind::ChangedOnDisk);
    EXPECT_EQ(fs::exists(path_) ? ReadBytes(path_) : "", left);
    EXPECT_TRUE(ledger.Dirty());
    ASSERT_TRUE(ledger.Save({}, SaveMode::Overwrite).ok());
    EXPECT_EQ(ReadBytes(path_), kOriginal + "02/01/2024;lait;-2\r\n");
    EXPECT_EQ(ledger.CheckDisk(), DiskState::Unchanged);
  }
}

TEST_F(LedgerLock, EachSaveKeepsThePreviousFileAsBak) {
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path_).ok());
  std::vector<std::string> versions{kOriginal};
  for (const char* amount : {"-2", "-3", "-4"}) {
    ASSERT_TRUE(ledger.Set(0, Column::Amount, amount).ok());
    ASSERT_TRUE(ledger.Save().ok());
    versions.push_back(ReadBytes(path_));
    EXPECT_EQ(ReadBytes(path_ + ".bak"), versions[versions.size() - 2]);
  }
  const std::string copy = folder_.File("copie.csv");
  ASSERT_TRUE(ledger.SaveAs(copy).ok());
  EXPECT_FALSE(fs::exists(copy + ".bak"));  // nothing was there before
  // Only the ledgers and their backups: no temporary file stays.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"carnet.csv", "carnet.csv.bak", "copie.csv"}));
  // The copy is the ledger's file now: the first one is free for another.
  Ledger other;
  ASSERT_TRUE(other.Open(path_).ok());
  EXPECT_FALSE(other.ReadOnly());
}

TEST_F(LedgerLock, LeftoversGoOnceNoSaveHoldsThemAndTheyAreOld) {
  const std::string leftover = path_ + ".0123456789abcdef.tmp";
  const std::string former = path_ + ".tmp";  // the name saves used before
  const std::string held = path_ + ".00000000000000aa.tmp";
  const std::vector<std::string> kept = {path_ + ".0123456789abcdeg.tmp", path_ + ".bak.tmp",
                                         folder_.File("autre.csv.0123456789abcdef.tmp")};
  for (const std::string& name : kept) WriteBytes(name, "x");
  WriteBytes(leftover, "x");
  WriteBytes(former, "x");
  PlatformFile save;  // a save of another process, writing
  ASSERT_TRUE(save.CreateNew(held, path_));
  PlatformFile again;
  EXPECT_FALSE(again.CreateNew(held, path_));
  EXPECT_TRUE(PlatformExistsError(again.error()));

  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path_).ok());
  EXPECT_TRUE(fs::exists(leftover));  // too recent: it might be a save between two steps
  SetLeftoverAgeIntl(0);
  ASSERT_TRUE(ledger.Open(path_).ok());
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_FALSE(fs::exists(former));
  EXPECT_TRUE(fs::exists(held));
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(name)) << name;
  save.Close();
  ASSERT_TRUE(ledger.Save({}, SaveMode::Overwrite).ok());
  EXPECT_FALSE(fs::exists(held));
}

}  // namespace
}  // namespace carnet
