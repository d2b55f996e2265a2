// The real Yes/No error box, answered by a watcher thread as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "foundation/foundation_intl.h"
#include "support/box_watcher.h"
#include "zarvik/zarvik.h"

namespace {
using support::answerBox;
using support::SeenBox;

bool quitPosted(WPARAM* code) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      *code = message.wParam;
      return true;
    }
  }
  return false;
}

TEST(ErrorBox, NoLeavesTheProgramRunning) {
  ZK_ContextSetIntl("Main", "ZK_WindowMove");
  SeenBox seen;
  std::thread watcher = answerBox("Zarvik Error", IDNO, &seen);
  const std::string report = ZK_ErrorReportIntl(4);
  watcher.join();
  ASSERT_TRUE(seen.found);
  EXPECT_NE(seen.text.find("Function : ZK_WindowMove"), std::string::npos) << seen.text;
  EXPECT_NE(seen.text.find("Error number : 4"), std::string::npos);
  EXPECT_NE(seen.text.find("Do you want to stop the program ?"), std::string::npos);
  WPARAM code = 99;
  EXPECT_FALSE(quitPosted(&code));
}

TEST(ErrorBox, YesPostsTheQuitMessageWithCodeZero) {
  ZK_ContextSetIntl("Main", "ZK_WindowMainCreate");
  SeenBox seen;
  std::thread watcher = answerBox("Zarvik Error", IDYES, &seen);
  SetLastError(ERROR_FILE_NOT_FOUND);  // after starting the watcher, which may change it
  ZK_ErrorReportIntl(1000);
  watcher.join();
  ASSERT_TRUE(seen.found);
  EXPECT_NE(seen.text.find("System error : 2\n"), std::string::npos) << seen.text;
  WPARAM code = 99;
  ASSERT_TRUE(quitPosted(&code));
  EXPECT_EQ(code, 0u);
}

TEST(ErrorBox, SystemTextIsTheSystemsOwn) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  ZK_ErrorPromptSetIntl([](const std::string&, const std::string&) { return false; });
  const std::string report = ZK_ErrorReportIntl(1001);
  ZK_ErrorPromptSetIntl(nullptr);
  char expected[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 ERROR_FILE_NOT_FOUND, 0, expected, sizeof expected, nullptr);
  ASSERT_GT(std::string(expected).size(), 0u);
  EXPECT_NE(report.find("System error : 2\nSystem message : " + std::string(expected) + "\n"),
            std::string::npos)
      << report;
}

}  // namespace
