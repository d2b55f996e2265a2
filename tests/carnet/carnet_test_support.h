// Helpers shared by Carnet's ledger tests: a private folder, whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_names.h"

namespace carnet_test {

constexpr char kHeader[] = "date;libell\xE9;montant\r\n";

// A fresh folder for one test, removed with everything in it afterwards; `suffix` tells apart
// the folders of one test.
class TempFolder {
 public:
  explicit TempFolder(const std::string& suffix = "") {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = support::tempPath(std::string("carnet_") + test->test_suite_name() + "_" +
                              test->name() + suffix);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_, ignored);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace carnet_test
