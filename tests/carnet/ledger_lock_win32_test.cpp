// The ledger's lock on Windows: the file open here refuses writers, deleters and replacers but
// not readers; a temporary file being written refuses everyone; the lock goes with the process
// that held it, however it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "carnet_test_support.h"
#include "ledger.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

const std::string kFile = "date;libell\xE9;montant\r\n01/01/2024;pain;-1\r\n";

// The error CreateFileA gives, or 0 when it opened the file.
DWORD OpenError(const std::string& path, DWORD access, DWORD share) {
  const HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

TEST(LedgerLockWin32, TheOpenLedgerRefusesWritersAndReplacersButNotReaders) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  carnet_test::WriteBytes(path, kFile);
  carnet_test::WriteBytes(path + ".autre", kFile);
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path).ok());
  EXPECT_EQ(OpenError(path, GENERIC_READ, kShareAll), 0u);
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, kShareAll), DWORD(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(DeleteFileA(path.c_str()));
  EXPECT_FALSE(MoveFileExA((path + ".autre").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(carnet_test::ReadBytes(path), kFile);
  // Its own save replaces it all the same, and holds the new file.
  ASSERT_TRUE(ledger.Add("02/01/2024", "lait", "-2").ok());
  ASSERT_TRUE(ledger.Save().ok());
  EXPECT_EQ(carnet_test::ReadBytes(path + ".bak"), kFile);
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, kShareAll), DWORD(ERROR_SHARING_VIOLATION));
  ledger.New();
  EXPECT_EQ(OpenError(path, GENERIC_WRITE, kShareAll), 0u);
}

TEST(LedgerLockWin32, ATemporaryFileBeingWrittenRefusesEveryone) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv.0123456789abcdef.tmp");
  PlatformFile file;
  ASSERT_TRUE(file.CreateNew(path, folder.File("carnet.csv")));
  EXPECT_EQ(OpenError(path, GENERIC_READ, kShareAll), DWORD(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(DeleteFileA(path.c_str()));
  PlatformFile second;
  EXPECT_FALSE(second.CreateNew(path, ""));
  EXPECT_TRUE(PlatformExistsError(second.error()));
  file.Close();
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

// Run in a child process by the test below: holds the ledger named by CARNET_HOLD until killed.
TEST(LedgerLockWin32, ChildHoldsTheLedger) {
  const char* path = std::getenv("CARNET_HOLD");
  if (path == nullptr) GTEST_SKIP() << "run by TheLockGoesWithTheProcess";
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path).ok());
  carnet_test::WriteBytes(std::string(path) + ".held", "");
  Sleep(INFINITE);
}

TEST(LedgerLockWin32, TheLockGoesWithTheProcess) {
  carnet_test::TempFolder folder;
  const std::string path = folder.File("carnet.csv");
  carnet_test::WriteBytes(path, kFile);
  char self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  std::string command =
      "\"" + std::string(self) + "\" --gtest_filter=LedgerLockWin32.ChildHoldsTheLedger";
  ASSERT_TRUE(SetEnvironmentVariableA("CARNET_HOLD", path.c_str()));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &startup, &child));
  SetEnvironmentVariableA("CARNET_HOLD", nullptr);
  for (int i = 0;
       i < 600 && GetFileAttributesA((path + ".held").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    Sleep(50);
  }
  Ledger ledger;
  ASSERT_TRUE(ledger.Open(path).ok());
  EXPECT_TRUE(ledger.ReadOnly());
  TerminateProcess(child.hProcess, 1);
  WaitForSingleObject(child.hProcess, 30000);
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  ASSERT_TRUE(ledger.Open(path).ok());
  EXPECT_FALSE(ledger.ReadOnly());
}

}  // namespace
}  // namespace carnet
