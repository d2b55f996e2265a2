// Saving loses nothing: a write that fails midway, a read-only ledger or folder, and a folder
// that vanished each leave the file's bytes as they were, no temporary file, and the ledger
// dirty with its edits, ready to be saved elsewhere.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "carnet_test_support.h"
#include "ledger.h"
#include "ledger_intl.h"

namespace carnet {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr std::uint32_t kDiskFull = 112;  // ERROR_DISK_FULL
#else
constexpr std::uint32_t kDiskFull = ENOSPC;
#endif

// Makes a folder refuse new files while it lives: read-only permissions, and for an
// administrator, who writes through those, the immutable flag where the system has one.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const fs::path& path) : path_(path) {
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
    SetImmutable(true);
  }
  ~ReadOnlyFolder() {
    SetImmutable(false);
    fs::permissions(path_, fs::perms::owner_all);
  }

 private:
  void SetImmutable(bool on) {
#ifdef __linux__
    const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
      ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) ::close(fd);
#else
    (void)on;
#endif
  }

  fs::path path_;
};

class LedgerSave : public testing::Test {
 protected:
  void SetUp() override {
    // 4.4 MB: the writer needs two writes, so a failure can come after the first.
    before_ = carnet_test::kHeader;
    for (int i = 0; i < 200000; ++i) before_ += "01/01/2024;pain;-1,50\r\n";
    after_ = before_;
    after_.replace(after_.find("-1,50"), 5, "42");
    carnet_test::WriteBytes(path_, before_);
    ASSERT_TRUE(ledger_.Open(path_).ok());
    ASSERT_TRUE(ledger_.Set(0, Column::Amount, "42").ok());
  }
  void TearDown() override { SetWriteFaultIntl(nullptr); }

  void ExpectNothingLost(const Result& result, bool fileStays = true) {
    EXPECT_EQ(result.kind, ErrorKind::Io);
    EXPECT_NE(result.systemError, 0u);
    EXPECT_EQ(result.message.rfind("Fichier " + path_ + " : enregistrement impossible (", 0), 0u)
        << result.message;
    EXPECT_FALSE(fs::exists(path_ + ".tmp"));
    if (fileStays) {
      EXPECT_EQ(carnet_test::ReadBytes(path_), before_);
    }
    EXPECT_TRUE(ledger_.Dirty());
    EXPECT_EQ(ledger_.Path(), path_);
  }

  // The edit survives a save to `path`: only its line changed.
  void ExpectSavesTo(const std::string& path) {
    ASSERT_TRUE(ledger_.SaveAs(path).ok());
    EXPECT_FALSE(ledger_.Dirty());
    EXPECT_TRUE(carnet_test::ReadBytes(path) == after_);
  }

  carnet_test::TempFolder folder_;
  std::string path_ = folder_.File("carnet.csv");
  std::string before_;
  std::string after_;  // before_ with the first entry's amount made 42
  Ledger ledger_;
};

TEST_F(LedgerSave, WriteFailingFirstOrMidwayLeavesTheFile) {
  static std::uint64_t failFrom;
  SetWriteFaultIntl(
      [](std::uint64_t offset, std::size_t) { return offset >= failFrom ? kDiskFull : 0u; });
  for (std::uint64_t from : {0, 1}) {
    failFrom = from;
    const Result result = ledger_.Save();
    EXPECT_EQ(result.systemError, kDiskFull);
    ExpectNothingLost(result);
  }
  SetWriteFaultIntl(nullptr);
  ExpectSavesTo(path_);
}

TEST_F(LedgerSave, ProgressReachesTheEndAndCancelLeavesTheFile) {
  std::vector<std::uint64_t> steps;
  const Result cancelled = ledger_.Save([&](std::uint64_t done, std::uint64_t total) {
    steps.push_back(done);
    EXPECT_EQ(total, after_.size());
    return false;
  });
  EXPECT_EQ(cancelled.kind, ErrorKind::Cancelled);
  EXPECT_EQ(steps.size(), 1u);
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
  EXPECT_EQ(carnet_test::ReadBytes(path_), before_);
  EXPECT_TRUE(ledger_.Dirty());

  steps.clear();
  ASSERT_TRUE(ledger_
                  .Save([&](std::uint64_t done, std::uint64_t) {
                    steps.push_back(done);
                    return true;
                  })
                  .ok());
  EXPECT_GE(steps.size(), 2u);
  EXPECT_EQ(steps.back(), after_.size());
  EXPECT_TRUE(carnet_test::ReadBytes(path_) == after_);
}

TEST_F(LedgerSave, ReadOnlyLedgerIsNeverReplaced) {
  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ExpectNothingLost(ledger_.Save());
  ExpectSavesTo(folder_.File("copie.csv"));
}

TEST_F(LedgerSave, ReadOnlyFolderRefusesTheSave) {
  ReadOnlyFolder readOnly(folder_.path());
  carnet_test::WriteBytes(folder_.File("essai"), "x");
  if (fs::exists(folder_.File("essai")))
    GTEST_SKIP() << "this user writes into read-only folders (administrator)";
  ExpectNothingLost(ledger_.Save());
  carnet_test::TempFolder elsewhere("_ailleurs");
  ExpectSavesTo((elsewhere.path() / "copie.csv").string());
}

TEST_F(LedgerSave, VanishedFolderRefusesTheSave) {
  // A ledger holding its file's lock keeps the file, and so the folder, from going on Windows:
  // this one was opened while another held it.
  ledger_.New();
  Ledger holder;
  ASSERT_TRUE(holder.Open(path_).ok());
  ASSERT_TRUE(ledger_.Open(path_).ok());
  ASSERT_TRUE(ledger_.Set(0, Column::Amount, "42").ok());
  holder.New();
  fs::remove_all(folder_.path());
  ExpectNothingLost(ledger_.Save(), false);
  fs::create_directories(folder_.path());
  ExpectSavesTo(path_);
}

}  // namespace
}  // namespace carnet
