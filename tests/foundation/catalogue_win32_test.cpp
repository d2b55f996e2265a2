// The catalogue beside the program: a program started in another folder still explains its
// errors. The build puts zarmsg.zdb beside the test programs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/foundation_intl.h"
#include "support/temp_names.h"
#include "zarvik/zarvik.h"

namespace fs = std::filesystem;

TEST(CatalogueBesideProgram, ServesWhenTheWorkingDirectoryHasNone) {
  const fs::path original = fs::current_path();
  const fs::path elsewhere = support::tempPath("zarvik-test-elsewhere");
  fs::remove_all(elsewhere);
  fs::create_directories(elsewhere);
  fs::current_path(elsewhere);
  ZK_ErrorPromptSetIntl([](const std::string&, const std::string&) { return false; });
  const std::string report = ZK_ErrorReportIntl(ZK_ERR_NO_MAIN_WINDOW);
  ZK_ErrorPromptSetIntl(nullptr);
  fs::current_path(original);
  fs::remove_all(elsewhere);
  // "The main window does not exist yet", in the toolkit's language.
  EXPECT_NE(report.find("Error msg : La fen\xEAtre principale n'existe pas encore\n"),
            std::string::npos)
      << report;
}
