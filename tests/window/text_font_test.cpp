// The text surface reset and the text font, read back from the paint device context.
#include "support/refusals.h"
#include "window_test_support.h"

namespace {

LOGFONTA selectedFont(HDC dc) {
  LOGFONTA font = {};
  GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  return font;
}

struct PaintSeen {
  LOGFONTA afterSelect{};
  LOGFONTA afterKeep{};
  LOGFONTA afterArial{};
  int keepStatus = -1;
  int arialStatus = -1;
  int underlineStatus = -1;
  long objectsInPaint = 0;
  int dpi = 0;
  WindowRecord recordAfterArial;
} seen;

void paintWithFonts(HDC dc) {
  seen.afterSelect = selectedFont(dc);
  seen.dpi = GetDeviceCaps(dc, LOGPIXELSY);
  seen.underlineStatus = ZK_TextFontSet("", 0, -1, 1, 1);  // italic and underline on
  seen.keepStatus = ZK_TextFontSet("", 0, -1, -1, -1);
  seen.afterKeep = selectedFont(dc);
  seen.arialStatus = ZK_TextFontSet("Arial", 0, 1, 0, -1);
  seen.afterArial = selectedFont(dc);
  seen.objectsInPaint = ZK_GdiCountIntl();
  seen.recordAfterArial = ZK_WindowLookupIntl("Main");
}

// The main window, with text written on its surface: position and line count away from 0.
WindowRecord mainWithText() {
  wt::answerReportsNo();
  EXPECT_EQ(wt::createMain(), 0);
  WindowRecord record = ZK_WindowLookupIntl("Main");
  record.textX = 5;
  record.textY = 7;
  record.lineCount = 9;
  return record;
}

}  // namespace

TEST(TextFontSet, FontStateInsideAPaint) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  wt::procLog().onPaint = paintWithFonts;
  ZK_ContextSetIntl("caller", "ZK_Caller");
  wt::paintNow();
  ASSERT_GT(wt::procLog().paints, 0);
  EXPECT_EQ(wt::procLog().selectStatus, 0);
  EXPECT_EQ(wt::procLog().releaseStatus, 0);

  const int height = -MulDiv(10, seen.dpi, 72);
  EXPECT_STREQ(seen.afterSelect.lfFaceName, "Courier New");
  EXPECT_EQ(seen.afterSelect.lfHeight, height);
  EXPECT_EQ(seen.afterSelect.lfWeight, FW_NORMAL);
  EXPECT_FALSE(seen.afterSelect.lfItalic);
  EXPECT_FALSE(seen.afterSelect.lfUnderline);

  EXPECT_EQ(seen.underlineStatus, 0);
  EXPECT_EQ(seen.keepStatus, 0);  // the current font again, unchanged
  EXPECT_STREQ(seen.afterKeep.lfFaceName, "Courier New");
  EXPECT_EQ(seen.afterKeep.lfHeight, height);
  EXPECT_EQ(seen.afterKeep.lfWeight, FW_NORMAL);
  EXPECT_TRUE(seen.afterKeep.lfItalic);
  EXPECT_TRUE(seen.afterKeep.lfUnderline);

  EXPECT_EQ(seen.arialStatus, 0);  // bold set, italic cleared, size and underline kept
  EXPECT_STREQ(seen.afterArial.lfFaceName, "Arial");
  EXPECT_EQ(seen.afterArial.lfHeight, height);
  EXPECT_EQ(seen.afterArial.lfWeight, FW_BOLD);
  EXPECT_FALSE(seen.afterArial.lfItalic);
  EXPECT_TRUE(seen.afterArial.lfUnderline);
  EXPECT_EQ(seen.recordAfterArial.fontName, "Arial");
  EXPECT_EQ(seen.recordAfterArial.fontSize, 10);
  EXPECT_TRUE(seen.recordAfterArial.fontBold);
  EXPECT_FALSE(seen.recordAfterArial.fontItalic);
  EXPECT_TRUE(seen.recordAfterArial.fontUnderline);

  // One font at a time in the paint (beside the class brush), none once the paint is over.
  EXPECT_EQ(seen.objectsInPaint, 2);
  EXPECT_EQ(ZK_GdiCountIntl(), 1);
  EXPECT_EQ(ZK_WindowStateIntl().paint.dc, nullptr);
  wt::expectContext("caller", "ZK_Caller");
  EXPECT_TRUE(wt::reported().empty());
}

TEST(TextFontSet, OutsideAPaintFailsWithoutLeaking) {
  WindowRecord record = mainWithText();
  record.fontName = "Arial";
  record.fontSize = 14;
  record.fontBold = record.fontItalic = record.fontUnderline = true;
  ZK_WindowStoreIntl("Main", record);
  const long objects = ZK_GdiCountIntl();

  EXPECT_EQ(ZK_WindowCls(), 1013);
  wt::expectContext("", "ZK_TextFontSet");
  record = ZK_WindowLookupIntl("Main");
  EXPECT_EQ(record.fontName, "Courier New");
  EXPECT_EQ(record.fontSize, 10);
  EXPECT_FALSE(record.fontBold);
  EXPECT_FALSE(record.fontItalic);
  EXPECT_FALSE(record.fontUnderline);
  EXPECT_EQ(record.textX, 5);  // the reset of the surface did not happen
  EXPECT_EQ(record.textY, 7);
  EXPECT_EQ(record.lineCount, 9);
  EXPECT_EQ(ZK_GdiCountIntl(), objects);  // the font that could not be selected is gone

  EXPECT_EQ(ZK_TextFontSet("Arial", 12, 1, 1, 1), 1013);
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
  EXPECT_EQ(wt::reported(), (std::vector<int>{1013, 1013}));
}

TEST(WindowCls, WithoutAWindowReturns4AndChangesNothing) {
  wt::answerReportsNo();
  ZK_WindowCurrentSetIntl("nobody");
  EXPECT_EQ(ZK_WindowCls(), 4);
  EXPECT_EQ(ZK_TextFontSet("", 0, 0, 0, 0), 4);
  wt::expectContext("", "ZK_TextFontSet");
  EXPECT_TRUE(ZK_WindowRegistryIntl().empty());
  EXPECT_EQ(wt::reported(), (std::vector<int>{4, 4}));
}

TEST(WindowCls, InsideAPaintResetsTheSurface) {
  WindowRecord record = mainWithText();
  record.fontBold = true;
  ZK_WindowStoreIntl("Main", record);
  wt::paintNow();
  record = ZK_WindowLookupIntl("Main");
  EXPECT_EQ(record.textX, 0);
  EXPECT_EQ(record.textY, 0);
  EXPECT_EQ(record.lineCount, 0);
  EXPECT_EQ(record.fontName, "Courier New");
  EXPECT_EQ(record.fontSize, 10);
  EXPECT_FALSE(record.fontBold);
}

TEST(TextFontSet, RefusedSelectionIsReportedWithItsOwnSystemError) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  wt::procLog().onPaint = [](HDC) {
    support::ImportPatch select("gdi32.dll", "SelectObject",
                                reinterpret_cast<const void*>(support::selectRefused));
    support::ImportPatch remove("gdi32.dll", "DeleteObject",
                                reinterpret_cast<const void*>(support::deleteLeavingItsOwnError));
    support::realDeleteObject() = remove.original<decltype(&DeleteObject)>();
    const long objects = ZK_GdiCountIntl();
    EXPECT_EQ(ZK_TextFontSet("Arial", 12, 0, 0, 0), 1013);
    EXPECT_EQ(ZK_GdiCountIntl(), objects);
  };
  wt::paintNow();
  wt::procLog().onPaint = nullptr;
  ASSERT_EQ(wt::reportTexts().size(), 1u);
  EXPECT_EQ(wt::systemErrorOf(wt::reportTexts()[0]), ERROR_NOT_ENOUGH_MEMORY);
}
