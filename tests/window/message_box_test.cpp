// The toolkit's OK box: owned by the main window, refused without one.
#include "support/box_watcher.h"
#include "window_test_support.h"

TEST(MessageBox, NeedsTheMainWindow) {
  wt::answerReportsNo();
  ZK_ContextSetIntl("before", "ZK_Caller");
  EXPECT_EQ(ZK_MessageBox("Titre", "Texte"), ZK_ERR_NO_MAIN_WINDOW);
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "Titre");
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_MessageBox");
  ASSERT_EQ(wt::reportTexts().size(), 1u);
  EXPECT_NE(wt::reportTexts()[0].find("Error number : 5\n"), std::string::npos);
}

TEST(OkBox, IsOwnedByTheMainWindow) {
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(main, nullptr);
  WindowRecord record;
  record.hwnd = main;
  ZK_WindowStoreIntl("Main", record);
  ZK_WindowStateIntl().mainWindowName = "Main";
  ZK_ContextSetIntl("caller", "ZK_Caller");
  ZK_ContextSaveIntl();

  support::SeenBox seen;
  std::thread watcher = support::answerBox("Bonjour", IDOK, &seen);
  EXPECT_EQ(ZK_MessageBox("Bonjour", "Velmo d\xE9monstrateur"), 0);
  watcher.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Velmo d\xE9monstrateur");
  EXPECT_EQ(seen.owner, main);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_Caller");  // restored on success
  DestroyWindow(main);
}
