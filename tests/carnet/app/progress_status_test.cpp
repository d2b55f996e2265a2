// Progress of Carnet's long opens and saves: nothing for half a second, then the status bar and a
// disabled window; afterwards the window enabled again and a quit asked meanwhile kept for the
// main loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "carnet_app.h"
#include "progress_status.h"

namespace {

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
  ASSERT_EQ(CarnetStatusShown(), empty);
  {
    ProgressStatus progress("Ouverture");
    const carnet::Progress report = progress.Callback();
    EXPECT_TRUE(report(10, 100));
    EXPECT_EQ(CarnetStatusShown(), empty);
    EXPECT_TRUE(IsWindowEnabled(CarnetWindowHandle()));
    Sleep(600);
    EXPECT_TRUE(report(45, 100));
    EXPECT_EQ(CarnetStatusShown(), "Ouverture : 45 %");
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
