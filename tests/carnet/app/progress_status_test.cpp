// Progress of Carnet's long opens and saves: nothing for half a second, then the status bar and a
// disabled window; afterwards the window enabled again and a quit asked meanwhile kept for the
// main loop.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "carnet_app.h"
#include "progress_status.h"

namespace {

std::string statusText() {
  HWND grid = ZK_FormItemGet(kCarnetLedgerForm, kCarnetGrid).hwnd;
  HWND bar = FindWindowExA(GetParent(grid), nullptr, STATUSCLASSNAMEA, nullptr);
  char text[256] = "";
  if (bar != nullptr) SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

class CarnetProgress : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CarnetWindowCreate(SW_HIDE), 0);
    ASSERT_EQ(CarnetLedgerFormOpen(), 0);
  }
};

TEST_F(CarnetProgress, ShowsAfterHalfASecondWithTheWindowDisabledUntilTheEnd) {
  const std::string empty =
      "0 \xE9"
      "critures, total 0";
  ASSERT_EQ(statusText(), empty);
  {
    ProgressStatus progress("Ouverture");
    const carnet::Progress report = progress.Callback();
    EXPECT_TRUE(report(10, 100));
    EXPECT_EQ(statusText(), empty);
    EXPECT_TRUE(IsWindowEnabled(CarnetWindowHandle()));
    Sleep(600);
    EXPECT_TRUE(report(45, 100));
    EXPECT_EQ(statusText(), "Ouverture : 45 %");
    EXPECT_FALSE(IsWindowEnabled(CarnetWindowHandle()));
  }
  EXPECT_TRUE(IsWindowEnabled(CarnetWindowHandle()));
}

TEST_F(CarnetProgress, AQuitAskedDuringTheWorkReachesTheMainLoopAfterIt) {
  MSG message = {};
  {
    ProgressStatus progress("Enregistrement");
    Sleep(600);
    PostQuitMessage(3);
    EXPECT_TRUE(progress.Callback()(1, 2));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  }
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
