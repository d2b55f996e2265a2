// The window registry: records by name, held by value.
#include <gtest/gtest.h>

#include "window/window_intl.h"

namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { ZK_WindowRegistryClearIntl(); }
  void TearDown() override { ZK_WindowRegistryClearIntl(); }
};

TEST_F(Registry, DefaultRecordHasNothingButResizable) {
  const WindowRecord r = ZK_WindowDefaultIntl();
  EXPECT_EQ(r.hwnd, nullptr);
  EXPECT_EQ(r.callback, nullptr);
  EXPECT_EQ(r.backBrush, nullptr);
  EXPECT_EQ(r.menuHandle, nullptr);
  EXPECT_EQ(r.statusBarHwnd, nullptr);
  EXPECT_TRUE(r.resizable);
  EXPECT_FALSE(r.modal || r.statusBar || r.scrollEnabled || r.scrollBarShown || r.fontBold);
  EXPECT_EQ(r.x + r.y + r.width + r.height + r.textX + r.textY + r.lineCount + r.fontSize, 0);
  EXPECT_EQ(r.backColour, 0u);
  EXPECT_TRUE(r.title.empty() && r.fontName.empty() && r.menuName.empty() &&
              r.statusMessage.empty() && r.properties.empty() && r.closedBy.empty());
}

TEST_F(Registry, LookupOfUnknownNameNeitherFindsNorInserts) {
  const WindowRecord r = ZK_WindowLookupIntl("nobody");
  EXPECT_EQ(r.hwnd, nullptr);
  EXPECT_TRUE(r.resizable);
  EXPECT_TRUE(ZK_WindowRegistryIntl().empty());
}

TEST_F(Registry, StoreReplacesWholeRecordsAndKeepsNameOrder) {
  WindowRecord first;
  first.title = "first";
  first.width = 10;
  first.closedBy = "OK";
  ZK_WindowStoreIntl("b", first);
  WindowRecord second;
  second.title = "second";
  ZK_WindowStoreIntl("b", second);
  const WindowRecord stored = ZK_WindowLookupIntl("b");
  EXPECT_EQ(stored.title, "second");
  EXPECT_EQ(stored.width, 0);
  EXPECT_EQ(stored.closedBy, "");

  ZK_WindowStoreIntl("a", first);
  ZK_WindowStoreIntl("C", first);
  std::string order;
  for (const auto& entry : ZK_WindowRegistryIntl()) order += entry.first;
  EXPECT_EQ(order, "Cab");  // byte order: upper case before lower case
}

TEST_F(Registry, NamesDifferingInCaseAreDifferentWindows) {
  WindowRecord lower;
  lower.title = "lower";
  WindowRecord upper;
  upper.title = "upper";
  ZK_WindowStoreIntl("main", lower);
  ZK_WindowStoreIntl("Main", upper);
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), 2u);
  EXPECT_EQ(ZK_WindowLookupIntl("main").title, "lower");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, "upper");
  ZK_WindowRemoveIntl("main");
  EXPECT_EQ(ZK_WindowLookupIntl("main").title, "");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").title, "upper");
}

TEST_F(Registry, CopiesDoNotShareState) {
  WindowRecord r;
  r.title = "kept";
  ZK_WindowStoreIntl("w", r);
  WindowRecord copy = ZK_WindowLookupIntl("w");
  copy.title = "changed";
  EXPECT_EQ(ZK_WindowLookupIntl("w").title, "kept");
}

}  // namespace
