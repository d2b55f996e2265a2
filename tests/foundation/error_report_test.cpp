// The error context protocol, report texts, the catalogue lookup and the error log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/foundation_intl.h"
#include "support/temp_names.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> gPrompts;
bool gAnswer = false;

bool recordPrompt(const std::string& text, const std::string& title) {
  gPrompts.push_back(title + "|" + text);
  return gAnswer;
}

// Stands in for the program's folder, so that the catalogue beside the test program stays out of
// the tests that need it absent; empty means the folder is not known.
fs::path gProgramFolder;
fs::path programFolder() {
  return gProgramFolder;
}

// Runs a test in a fresh empty directory, so that catalogue and log are the test's own.
class InTempDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = fs::current_path();
    catalogue_ = original_ / "zarmsg.zdb";
    dir_ = support::tempPath(
        "zarvik-test-" +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    gPrompts.clear();
    gAnswer = false;
    ZK_ErrorPromptSetIntl(recordPrompt);
    gProgramFolder.clear();
    ZK_CatalogueProgramFolderSetIntl(programFolder);
  }
  void TearDown() override {
    ZK_CatalogueProgramFolderSetIntl(nullptr);
    ZK_ErrorPromptSetIntl(nullptr);
    ZK_ErrorDisplaySet(true);
    ZK_CatalogueLanguageSet(ZK_LANGUAGE);
    fs::current_path(original_);
    fs::remove_all(dir_);
  }
  void useProjectCatalogue() { fs::copy_file(catalogue_, dir_ / "zarmsg.zdb"); }
  void writeFile(const std::string& name, const std::string& content) {
    std::ofstream out(dir_ / name, std::ios::binary);
    out << content;
  }
  // Text mode, as the log is written (line breaks are CR LF on Windows).
  std::string readFile(const std::string& name) {
    std::ifstream in(dir_ / name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  fs::path original_, catalogue_, dir_;
};

std::string record(const std::string& language, const std::string& number,
                   const std::string& message) {
  return "<ZDBRC>\n\"ERROR\"\n\"ZARVIK\"\n\"" + language + "\"\n\"" + number + "\"\n\"" + message +
         "\"\n";
}

std::string lookup(const std::string& catalogue, int code) {
  std::istringstream in(catalogue);
  return ZK_CatalogueLookupIntl(in, code, "FR");
}

TEST(ErrorContext, SaveSetAndRestoreHaveOneSlot) {
  ZK_ContextSetIntl("outer", "ZK_Outer");
  ZK_ContextSaveIntl();
  ZK_ContextSetIntl("inner", "ZK_Inner");
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "inner");
  ZK_ContextSaveIntl();  // overwrites the slot: the outer context is gone
  ZK_ContextSetIntl("third", "ZK_Third");
  ZK_ContextRestoreIntl();
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "inner");
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_Inner");
  ZK_ContextRestoreIntl();
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "inner");
}

TEST(CatalogueLookup, LanguageFallbackAndMissingMessages) {
  const std::string catalogue =
      record("US", "18", "us only") + record("FR", "26", "fr point") + record("US", "26", "us dot");
  EXPECT_EQ(lookup(catalogue, 18), "us only");
  EXPECT_EQ(lookup(catalogue, 26), "fr point");
  EXPECT_EQ(lookup(catalogue, 4), "no message : message error not found");
  EXPECT_EQ(lookup("", 4), "no message : message error not found");
}

TEST(CatalogueLookup, RecordLayoutRules) {
  // Marker lines with blanks around them are not markers.
  EXPECT_EQ(lookup(" <ZDBRC>\n\"ERROR\"\n\"ZARVIK\"\n\"FR\"\n\"5\"\n\"x\"\n", 5),
            "no message : message error not found");
  EXPECT_EQ(lookup("<ZDBRC> \n\"ERROR\"\n\"ZARVIK\"\n\"FR\"\n\"5\"\n\"x\"\n", 5),
            "no message : message error not found");
  // The last message line needs its line break.
  EXPECT_EQ(lookup("<ZDBRC>\n\"ERROR\"\n\"ZARVIK\"\n\"FR\"\n\"5\"\n\"x\"", 5),
            "no message : message error not found");
  EXPECT_EQ(lookup(record("FR", "0026", "leading zeros"), 26), "leading zeros");
  EXPECT_EQ(lookup(record("FR", "abc", "not a number"), 0), "not a number");
  // Delimiters are any characters; a line of two characters or fewer keeps the previous value.
  EXPECT_EQ(lookup("<ZDBRC>\n[ERROR]\n[ZARVIK]\n[FR]\n[7]\n[first]\n"
                   "<ZDBRC>\n\n\n\n[8]\n[second]\n",
                   8),
            "second");
  EXPECT_EQ(lookup("<ZDBRC>\n\"ERROR\"\n\"OTHER\"\n\"FR\"\n\"7\"\n\"x\"\n", 7),
            "no message : message error not found");
  // A record cut short takes the following lines as its fields, and finds nothing.
  EXPECT_EQ(lookup("<ZDBRC>\n\"ERROR\"\n\"ZARVIK\"\n", 7), "no message : message error not found");
}

TEST(CatalogueLookup, SurvivesHostileFiles) {
  std::string huge(200000, 'x');
  std::string binary;
  for (int i = 0; i < 2048; ++i) binary.push_back(static_cast<char>(i % 256));
  const std::string withRecord = record("FR", "4", "found");
  EXPECT_EQ(lookup(huge + "\n" + withRecord, 4), "found");
  EXPECT_EQ(lookup(binary + "\n" + withRecord, 4), "found");
  EXPECT_EQ(lookup("<ZDBRC>\n\"ERROR\"\n\"ZARVIK\"\n\"FR\"\n\"4\"\n\"" + huge + "\"\n", 4), huge);
  EXPECT_EQ(lookup(binary, 4), "no message : message error not found");
  EXPECT_EQ(lookup("<ZDBRC>", 4), "no message : message error not found");
}

TEST_F(InTempDirectory, ProjectCatalogueHasBothLanguagesForEveryCode) {
  useProjectCatalogue();
  for (int i = 0; i < ZK_ALL_STATUS_CODE_COUNT; ++i) {
    const int code = ZK_ALL_STATUS_CODES[i];
    std::ifstream in("zarmsg.zdb");
    const std::string fr = ZK_CatalogueLookupIntl(in, code, "FR");
    std::ifstream in2("zarmsg.zdb");
    std::string us;
    {
      // Ask for a language that is absent so that the lookup lands on "US".
      us = ZK_CatalogueLookupIntl(in2, code, "XX");
    }
    EXPECT_NE(fr.rfind("no message", 0), 0u) << code;
    EXPECT_NE(us.rfind("no message", 0), 0u) << code;
    EXPECT_NE(fr, us) << "code " << code << " has no French message of its own";
  }
}

TEST_F(InTempDirectory, ReportTextForCallerFaultAndSystemFailure) {
  useProjectCatalogue();
  ZK_ContextSetIntl("fenetre", "ZK_WindowMove");
  const std::string report = ZK_ErrorReportIntl(4);
  EXPECT_EQ(report.rfind("Function : ZK_WindowMove\nWindow name : fenetre\nError number : 4\n"
                         "Error msg : ",
                         0),
            0u);
  EXPECT_EQ(report.find("System error"), std::string::npos);
  EXPECT_NE(report.find("\n\nDo you want to stop the program ?"), std::string::npos);
  ASSERT_EQ(gPrompts.size(), 1u);
  EXPECT_EQ(gPrompts[0], "Zarvik Error|" + report);

  const std::string system = ZK_ErrorReportIntl(1000);
  EXPECT_NE(system.find("Error number : 1000\nError msg : "), std::string::npos);
  EXPECT_NE(system.find("\nSystem error : "), std::string::npos);
  EXPECT_NE(system.find("\nSystem message : "), std::string::npos);
  EXPECT_NE(ZK_ErrorReportIntl(1999).find("System error : "), std::string::npos);
  EXPECT_EQ(ZK_ErrorReportIntl(999).find("System error"), std::string::npos);
  EXPECT_EQ(ZK_ErrorReportIntl(2000).find("System error"), std::string::npos);
}

TEST_F(InTempDirectory, WindowNameFallsBackToTheCurrentWindow) {
  ZK_FoundationStateIntl().currentWindowName = "Main";
  ZK_ContextSetIntl("", "ZK_ResetZarvikIntl");
  EXPECT_NE(ZK_ErrorReportIntl(1002).find("Window name : Main\n"), std::string::npos);
  ZK_FoundationStateIntl().currentWindowName = "";
  EXPECT_NE(ZK_ErrorReportIntl(1002).find("Window name : \n"), std::string::npos);
}

TEST_F(InTempDirectory, MissingCatalogueIsNamedInTheReport) {
  EXPECT_NE(ZK_ErrorReportIntl(4).find("Error msg : no message : file zarmsg.zdb not found\n"),
            std::string::npos);
  writeFile("zarmsg.zdb", record("US", "4", "only four"));
  EXPECT_NE(ZK_ErrorReportIntl(5).find("Error msg : no message : message error not found\n"),
            std::string::npos);
  EXPECT_NE(ZK_ErrorReportIntl(4).find("Error msg : only four\n"), std::string::npos);
}

// The current directory's catalogue is read whenever it is there, holding the code or not; the
// one beside the program serves only when the current directory has none.
TEST_F(InTempDirectory, CatalogueInTheCurrentDirectoryFirstThenBesideTheProgram) {
  const fs::path program = dir_ / "program";
  fs::create_directory(program);
  std::ofstream(program / "zarmsg.zdb", std::ios::binary) << record("US", "4", "beside");
  struct Case {
    const char* here;  // catalogue of the current directory: "" none, else its record for 4
    bool folderKnown;
    const char* expected;
  };
  const Case cases[] = {
      {"", true, "beside"},
      {"", false, "no message : file zarmsg.zdb not found"},
      {"here", true, "here"},
      {"here", false, "here"},
  };
  for (const Case& c : cases) {
    fs::remove(dir_ / "zarmsg.zdb");
    if (*c.here != '\0') writeFile("zarmsg.zdb", record("US", "4", c.here));
    gProgramFolder = c.folderKnown ? program : fs::path();
    EXPECT_EQ(ZK_CatalogueMessageIntl(4), c.expected) << c.here << " " << c.folderKnown;
  }
  writeFile("zarmsg.zdb", record("US", "5", "here"));
  gProgramFolder = program;
  EXPECT_EQ(ZK_CatalogueMessageIntl(4), "no message : message error not found");
}

TEST_F(InTempDirectory, LogGetsStampReportAndEmptyLineWhenDisplayIsOff) {
  useProjectCatalogue();
  ZK_ErrorDisplaySet(false);
  ZK_ContextSetIntl("edit", "ZK_FormCreate");
  const std::string first = ZK_ErrorReportIntl(22);
  const std::string second = ZK_ErrorReportIntl(1015);
  EXPECT_TRUE(gPrompts.empty());
  EXPECT_EQ(first.find("Do you want"), std::string::npos);

  const std::string log = readFile("zarerror.txt");
  std::istringstream lines(log);
  std::string stamp;
  std::getline(lines, stamp);
  ASSERT_EQ(stamp.size(), 17u) << stamp;  // mm/dd/yy hh:mm:ss
  for (std::size_t i : {2u, 5u}) EXPECT_EQ(stamp[i], '/');
  EXPECT_EQ(stamp[8], ' ');
  for (std::size_t i : {11u, 14u}) EXPECT_EQ(stamp[i], ':');
  EXPECT_EQ(log.substr(18, first.size() + 1), first + "\n");
  EXPECT_EQ(log.size(), 2 * 18 + first.size() + second.size() + 2);
  EXPECT_EQ(log.substr(log.size() - second.size() - 1), second + "\n");
}

TEST_F(InTempDirectory, UnopenableLogIsSkippedSilently) {
  ZK_ErrorDisplaySet(false);
  fs::create_directory(dir_ / "zarerror.txt");  // a directory cannot be opened for appending
  const std::string report = ZK_ErrorReportIntl(4);
  EXPECT_NE(report.find("Error number : 4"), std::string::npos);
  EXPECT_TRUE(gPrompts.empty());
}

// The application's language choice reaches reports and the toolkit's own texts; a refused
// choice keeps the language, and a toolkit reset keeps the choice.
TEST_F(InTempDirectory, ApplicationChoosesTheCatalogueLanguage) {
  useProjectCatalogue();
  struct Case {
    const char* asked;
    int status;
    const char* message;  // of status 26 afterwards
    const char* text;     // the toolkit's text 2 afterwards
  };
  const Case cases[] = {
      {"us", ZK_OK, "The name must not contain a dot", "Incorrect input"},
      {"", ZK_ERR_LANGUAGE, "The name must not contain a dot", "Incorrect input"},
      {"F1", ZK_ERR_LANGUAGE, "The name must not contain a dot", "Incorrect input"},
      {"ABCDEFGHI", ZK_ERR_LANGUAGE, "The name must not contain a dot", "Incorrect input"},
      {"Fr", ZK_OK, "Le nom ne doit pas contenir de point", "Saisie incorrecte"},
      {"DE", ZK_OK, "The name must not contain a dot", "Incorrect input"},  // "US" stands in
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    gPrompts.clear();
    EXPECT_EQ(ZK_CatalogueLanguageSet(c.asked), c.status);
    EXPECT_EQ(gPrompts.size(), c.status == ZK_OK ? 0u : 1u);
    EXPECT_EQ(ZK_CatalogueMessageIntl(26), c.message);
    EXPECT_EQ(ZK_CatalogueTextIntl(2, "built in"), c.text);
  }
  ZK_StateResetIntl();
  EXPECT_EQ(ZK_CatalogueLanguageIntl(), "DE");
  fs::remove(dir_ / "zarmsg.zdb");
  EXPECT_EQ(ZK_CatalogueTextIntl(2, "built in"), "built in");
}

TEST_F(InTempDirectory, ErrorDisplayChoosesBoxOrLog) {
  for (const bool shown : {false, true, false}) {
    ZK_ErrorDisplaySet(shown);
    gPrompts.clear();
    const std::size_t logged = readFile("zarerror.txt").size();
    ZK_ErrorReportIntl(4);
    EXPECT_EQ(gPrompts.size(), shown ? 1u : 0u);
    EXPECT_EQ(readFile("zarerror.txt").size() > logged, !shown);
  }
}

}  // namespace
