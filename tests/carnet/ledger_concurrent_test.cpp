// Saves from other processes (POSIX, with fork): two processes saving one ledger 0 to 40 ms apart
// leave exactly one of their files, never a mix, and both say only what is true; a save killed
// at any moment loses nothing, and what it left goes once nobody holds it.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "carnet_test_support.h"
#include "ledger.h"
#include "ledger_intl.h"

namespace carnet {
namespace {

namespace fs = std::filesystem;
using carnet_test::ReadBytes;

// A ledger of `count` entries whose amounts all say `mark`.
std::string Version(int count, int mark) {
  std::string file = carnet_test::kHeader;
  for (int i = 0; i < count; ++i)
    file += "0" + std::to_string(1 + i % 9) +
            "/01/2024;entr\xE9"
            "e " +
            std::to_string(i) + ";" + std::to_string(mark) + "\r\n";
  return file;
}

void Sleep(std::mt19937& random, int most) {
  std::this_thread::sleep_for(std::chrono::milliseconds(random() % (most + 1)));
}

std::vector<std::string> Leftovers(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) names.push_back(name);
  }
  return names;
}

// In a child: saves `bytes` to `path` `times` times, 0 to 40 ms apart; the exit code is the
// number of saves that failed. A byte on `ready` once the ledger is read.
[[noreturn]] void SaveRepeatedly(const std::string& bytes, const std::string& path, int times,
                                 unsigned seed, int ready) {
  LedgerState state;
  int failed = 0;
  if (!AllocateBytesIntl(state, bytes.size())) _exit(100);
  bytes.copy(state.bytes.get(), bytes.size());
  if (!ParseLedgerIntl("v", state, Progress()).ok()) _exit(101);
  if (ready >= 0 && write(ready, "r", 1) != 1) _exit(102);
  std::mt19937 random(seed);
  for (int i = 0; i < times; ++i) {
    Sleep(random, 40);
    failed += SaveLedgerIntl(state, path, Progress()).ok() ? 0 : 1;
  }
  _exit(failed);
}

TEST(LedgerConcurrent, TwoProcessesSavingAtOnceLeaveOneWholeFile) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  const std::string original = Version(60000, 0);
  const std::string versions[2] = {Version(60000, 1), Version(59999, 2)};
  carnet_test::WriteBytes(path, original);
  pid_t children[2];
  for (int k = 0; k < 2; ++k) {
    children[k] = fork();
    ASSERT_GE(children[k], 0);
    if (children[k] == 0) SaveRepeatedly(versions[k], path, 35, 17 + k, -1);
  }
  // Meanwhile the file, read at any moment, is one whole version.
  int running = 2;
  while (running > 0) {
    const std::string now = ReadBytes(path);
    ASSERT_TRUE(now == original || now == versions[0] || now == versions[1]) << now.size();
    for (pid_t& child : children) {
      int status = 0;
      if (child == 0 || waitpid(child, &status, WNOHANG) != child) continue;
      EXPECT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 0) << "saves that reported a failure";
      child = 0;
      --running;
    }
  }
  const std::string last = ReadBytes(path);
  EXPECT_TRUE(last == versions[0] || last == versions[1]);
  const std::string backup = ReadBytes(path + ".bak");
  EXPECT_TRUE(backup == original || backup == versions[0] || backup == versions[1]);
  EXPECT_EQ(Leftovers(folder.path()), std::vector<std::string>());
  Ledger ledger;
  EXPECT_TRUE(ledger.Open(path).ok());
}

TEST(LedgerConcurrent, SavesKilledAtAnyMomentLoseNothing) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  const std::string versions[2] = {Version(40000, 1), Version(40000, 2)};
  carnet_test::WriteBytes(path, versions[0]);
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveRepeatedly(versions[(round + 1) % 2], path, 1000, round, ready[1]);
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
    Sleep(random, 40);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const std::string now = ReadBytes(path);
    ASSERT_TRUE(now == versions[0] || now == versions[1]) << round;
    const std::string backup = ReadBytes(path + ".bak");
    ASSERT_TRUE(!fs::exists(path + ".bak") || backup == versions[0] || backup == versions[1]);
  }
  // What the killed saves left goes, once no save holds it and it is old enough.
  SetLeftoverAgeIntl(0);
  RemoveLeftoversIntl(path);
  SetLeftoverAgeIntl(10);
  EXPECT_TRUE(Leftovers(folder.path()).empty());
  Ledger ledger;
  EXPECT_TRUE(ledger.Open(path).ok());
}

}  // namespace
}  // namespace carnet
#endif
