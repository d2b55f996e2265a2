// ZK_FormItemFontSet in a drawing context of the application's: no font is kept for a release
// the toolkit would never see.
#include <gtest/gtest.h>

#include <algorithm>

#include "item_test_host.h"

namespace {
using item_test::Canvas;
using item_test::Reports;

// An application that sets a font in a context of its own for each paint loses none: the GDI
// count stays where it was, however many contexts, and the text is drawn in the font asked for.
TEST(ItemFont, ApplicationsContextsKeepNoFont) {
  Reports reports;
  const long start = ZK_GdiCountIntl();
  int widest = 0;
  for (int paint = 0; paint < 50; ++paint) {
    Canvas canvas(200, 60);
    ASSERT_EQ(ZK_FormItemFontSet(canvas.dc(), "Arial", paint % 2 ? 28 : 8, true, false, false),
              ZK_OK);
    EXPECT_EQ(ZK_GdiCountIntl(), start);
    SIZE size = {};
    GetTextExtentPoint32A(canvas.dc(), "MMM", 3, &size);
    if (paint % 2) widest = std::max(widest, static_cast<int>(size.cx));
    if (!(paint % 2)) {
      EXPECT_LT(size.cx, 40);
    }
  }
  EXPECT_GT(widest, 60);  // 28-point bold capitals
  // Within the toolkit's own paint bracket the font goes with the bracket.
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_EQ(ZK_FontSelectIntl(dc, ZK_GdiFontIntl(-12, FW_NORMAL, false, false, "Arial")), ZK_OK);
  ASSERT_EQ(ZK_FormItemFontSet(dc, "Arial", 20, false, true, false), ZK_OK);
  EXPECT_EQ(ZK_GdiCountIntl(), start + 1);
  EXPECT_EQ(ZK_FontReleaseIntl(dc), ZK_OK);
  EXPECT_EQ(ZK_GdiCountIntl(), start);
  DeleteDC(dc);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
