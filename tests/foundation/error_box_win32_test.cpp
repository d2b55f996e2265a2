// The real Yes/No error box and the OK message box, answered by a watcher thread as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "foundation/foundation_intl.h"
#include "window/window_intl.h"
#include "zarvik/zarvik.h"

namespace {

struct SeenBox {
  std::string text;
  HWND owner = nullptr;
  bool found = false;
};

// Waits for a dialog box of this process with the caption, reads its message, then presses the button.
std::thread answerBox(const char* caption, int button, SeenBox* seen) {
  return std::thread([caption, button, seen] {
    for (int attempt = 0; attempt < 200; ++attempt) {
      HWND box = FindWindowA("#32770", caption);
      DWORD process = 0;
      if (box != nullptr) GetWindowThreadProcessId(box, &process);
      // Other test programs run beside this one: answer only this process's own box.
      if (box != nullptr && process == GetCurrentProcessId() && IsWindowVisible(box)) {
        char text[4096] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's message is static 0xFFFF
        seen->text = text;
        seen->owner = GetWindow(box, GW_OWNER);
        seen->found = true;
        SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return;
      }
      Sleep(50);
    }
  });
}

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

TEST(OkBox, IsOwnedByTheMainWindow) {
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(main, nullptr);
  WindowRecord record;
  record.hwnd = main;
  ZK_WindowStoreIntl("Main", record);
  ZK_globals.mainWindowName = "Main";
  ZK_ContextSetIntl("caller", "ZK_Caller");
  ZK_ContextSaveIntl();

  SeenBox seen;
  std::thread watcher = answerBox("Bonjour", IDOK, &seen);
  EXPECT_EQ(ZK_MessageBox("Bonjour", "Velmo d\xE9monstrateur"), 0);
  watcher.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Velmo d\xE9monstrateur");
  EXPECT_EQ(seen.owner, main);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_Caller");  // restored on success
  DestroyWindow(main);
}

}  // namespace
