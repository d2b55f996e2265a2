// Painting owner-drawn items, checked by the pixels the painter leaves in a memory bitmap, and the
// colour answer of edit items.
#include <gtest/gtest.h>

#include <vector>

#include "item_test_host.h"

using item_test::Canvas;
using item_test::Dialog;
using item_test::kForm;
using item_test::Reports;

namespace {

constexpr COLORREF kFormColour = RGB(0, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);  // the text colour when none is set
// From a text cell's top to its glyphs' first pixels, and from its bottom to their last, in the
// canvas's own font.
constexpr int kLeading = 3;
constexpr int kDescent = 4;

void declare(const std::string& item, const std::string& kind, int width, int height,
             const std::string& properties) {
  ZK_ItemRemoveIntl(ZK_ItemKeyIntl(kForm, item));
  ASSERT_EQ(ZK_FormItemAdd(kForm, item, kind, 1, 0, 0, width, height, properties), ZK_OK);
  item_test::host().formRecord.backColour = kFormColour;
}

int brightness(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

}  // namespace

TEST(ItemPaint, OnePixelSolidFrameOnTheOutermostPixelsAndTextInside) {
  Reports reports;
  declare("titre", ZK_STATIC, 600, 40, "brdsize=1;brdcol=blue;value=Le champ Static");
  Canvas canvas(600, 40);
  EXPECT_EQ(canvas.paint("titre"), 1);
  for (int x = 0; x < 600; x += 37) {
    EXPECT_EQ(canvas.at(x, 0), kBlue) << x;
    EXPECT_EQ(canvas.at(x, 39), kBlue) << x;
  }
  for (int y = 0; y < 40; y += 3) {
    EXPECT_EQ(canvas.at(0, y), kBlue) << y;
    EXPECT_EQ(canvas.at(599, y), kBlue) << y;
  }
  EXPECT_EQ(canvas.count(kBlue), 2 * 600 + 2 * 38);
  // No background colour: inside the frame, the text on the form's colour.
  const RECT text = canvas.boundsOf(kInk);
  EXPECT_GE(text.left, 1);
  EXPECT_LE(text.left, 3);
  EXPECT_GE(text.top, 1);
  EXPECT_LT(text.right, 598);
  EXPECT_GT(canvas.count(kInk), 20);
  EXPECT_EQ(canvas.at(598, 38), kFormColour);
  EXPECT_EQ(canvas.count(Canvas::kUntouched), 0);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemPaint, BackgroundIsFilledWithOrWithoutABorder) {
  declare("plein", ZK_STATIC, 120, 30, "bkcol=white;brdsize=1;value=A");
  Canvas filled(120, 30);
  filled.paint("plein");
  EXPECT_EQ(filled.at(100, 20), kWhite);
  EXPECT_EQ(filled.at(0, 0), RGB(0, 0, 0));  // BRDCOL absent: black

  // Without a border there is no fill: the whole label is still painted, in the form's colour,
  // and only the cells of its text take the background colour.
  declare("nu", ZK_STATIC, 120, 30, "bkcol=white;value=A");
  Canvas bare(120, 30);
  bare.paint("nu");
  EXPECT_EQ(bare.at(100, 20), kFormColour);
  EXPECT_EQ(bare.at(119, 0), kFormColour);
  EXPECT_EQ(bare.count(Canvas::kUntouched), 0);
  const RECT cells = bare.boundsOf(kWhite);
  EXPECT_EQ(cells.left, 0);
  EXPECT_EQ(cells.top, 0);
  EXPECT_LT(cells.right, 40);
  EXPECT_LT(cells.bottom, 29);
  EXPECT_LT(bare.boundsOf(kInk).right, 40);
}

TEST(ItemPaint, RaisedEdgesAreLightAboveAndSunkenEdgesDark) {
  struct Case {
    const char* kind;
    const char* properties;
    UINT state;
    bool raised;
  } cases[] = {
      {ZK_RECT, "brdstyle=3DOUT;brdsize=9", 0, true},
      {ZK_RECT, "brdstyle=3DIN", 0, false},
      {ZK_STATIC, "brdstyle=3DOUT", 0, true},
      {ZK_STATIC, "brdstyle=3DIN", 0, false},
      // A button follows its pressed state, never its declared style.
      {ZK_BUTTON, "brdstyle=3DIN", 0, true},
      {ZK_BUTTON, "brdstyle=3DOUT", ODS_SELECTED, false},
      {ZK_BUTTON, "", ODS_SELECTED, false},
  };
  for (const Case& c : cases) {
    const COLORREF paper = c.kind == ZK_BUTTON ? GetSysColor(COLOR_BTNFACE) : kFormColour;
    declare("cadre", c.kind, 80, 40, std::string(c.properties) + ";value= ");
    Canvas canvas(80, 40);
    EXPECT_EQ(canvas.paint("cadre", c.state), 1);
    for (int ring = 0; ring < 2; ++ring) {
      const int topLeft = brightness(canvas.at(ring, 20));
      const int bottomRight = brightness(canvas.at(79 - ring, 20));
      EXPECT_EQ(topLeft > bottomRight, c.raised) << c.kind << c.properties << " ring " << ring;
      EXPECT_NE(canvas.at(40, ring), Canvas::kUntouched);
    }
    // The edge is two pixels deep whatever the size: inside it, the background.
    EXPECT_EQ(canvas.at(2, 20), paper) << c.kind << c.properties;
    EXPECT_EQ(canvas.at(4, 20), paper) << c.kind << c.properties;
  }
}

TEST(ItemPaint, ButtonFillsWithBackColourOrButtonFaceAndGreysTextWhenDisabled) {
  declare("b1", ZK_BUTTON, 100, 30, "bkcol=white;txcol=red;value=MMMM");
  Canvas filled(100, 30);
  filled.paint("b1");
  EXPECT_EQ(filled.at(8, 4), kWhite);
  EXPECT_GT(filled.count(kRed), 10);

  declare("b2", ZK_BUTTON, 100, 30, "txcol=red;value=MMMM");
  Canvas bare(100, 30);
  bare.paint("b2");
  EXPECT_EQ(bare.at(8, 4), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(bare.count(Canvas::kUntouched), 0);

  declare("b3", ZK_BUTTON, 100, 30, "bkcol=white;txcol=red;value=MMMM;enable=no");
  Canvas disabled(100, 30);
  disabled.paint("b3");
  EXPECT_EQ(disabled.count(kRed), 0);
  EXPECT_GT(disabled.count(RGB(0xBF, 0xBF, 0xBF)), 10);
}

TEST(ItemPaint, ButtonTextIsCentredAndDefaultsToTheItemName) {
  declare("b", ZK_BUTTON, 200, 40, "txcol=red;txhpos=right;txvpos=top");
  Canvas named(200, 40);
  named.paint("b");
  declare("b", ZK_BUTTON, 200, 40, "txcol=red;txhpos=right;txvpos=top;value=Fermer");
  Canvas captioned(200, 40);
  captioned.paint("b");
  const RECT one = named.boundsOf(kRed);
  const RECT word = captioned.boundsOf(kRed);
  ASSERT_LE(one.left, one.right);
  ASSERT_LE(word.left, word.right);
  EXPECT_GT(word.right - word.left, 2 * (one.right - one.left));
  for (const RECT& box : {one, word}) {
    EXPECT_NEAR((box.left + box.right) / 2.0, 99.5, 3.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 19.5, 3.0);
  }
}

TEST(ItemPaint, CheckedCheckDrawsItsCrossInsideTheFrame) {
  declare("coche", ZK_CHECK, 20, 20, "brdsize=3;brdcol=blue;txcol=red;check=yes");
  Canvas canvas(20, 20);
  EXPECT_EQ(canvas.paint("coche"), 1);
  for (const POINT& p : {POINT{5, 5}, POINT{14, 14}, POINT{5, 14}, POINT{14, 5}, POINT{9, 9},
                         POINT{7, 7}, POINT{12, 7}}) {
    EXPECT_EQ(canvas.at(p.x, p.y), kRed) << p.x << "," << p.y;
  }
  for (const POINT& p : {POINT{10, 5}, POINT{5, 10}, POINT{14, 9}, POINT{3, 3}, POINT{16, 16}}) {
    EXPECT_NE(canvas.at(p.x, p.y), kRed) << p.x << "," << p.y;
  }
  EXPECT_EQ(canvas.at(0, 10), kBlue);
  EXPECT_EQ(canvas.at(2, 10), kBlue);
  EXPECT_EQ(canvas.at(17, 10), kBlue);
  EXPECT_EQ(canvas.at(19, 10), kBlue);

  declare("vide", ZK_CHECK, 20, 20, "brdsize=3;brdcol=blue;txcol=red");
  Canvas unchecked(20, 20);
  unchecked.paint("vide");
  EXPECT_EQ(unchecked.count(kRed), 0);
  EXPECT_EQ(unchecked.at(0, 10), kBlue);
}

TEST(ItemPaint, TextFollowsBothAlignments) {
  struct Case {
    const char* h;
    const char* v;
    double centreX;  // < 0: edge checked instead
    int left, right;
    double centreY;
    int top, bottom;
  } cases[] = {
      {"left", "top", -1, 0, -1, -1, 0, -1},
      {"center", "center", 99.5, -1, -1, 29.5, -1, -1},
      {"right", "bottom", -1, -1, 199, -1, -1, 59},
      {"", "center", -1, 0, -1, 29.5, -1, -1},
      {"center", "bottom", 99.5, -1, -1, -1, -1, 59},
      {"right", "", -1, -1, 199, -1, 0, -1},
  };
  for (const Case& c : cases) {
    declare("texte", ZK_STATIC, 200, 60, std::string("value=Ab;txhpos=") + c.h + ";txvpos=" + c.v);
    Canvas canvas(200, 60);
    canvas.paint("texte");
    // The glyphs' own pixels: an edge-aligned text starts within a pixel or two of that edge.
    const RECT box = canvas.boundsOf(kInk);
    ASSERT_LE(box.left, box.right) << c.h << c.v;
    const std::string what = std::string(c.h) + "/" + c.v;
    if (c.centreX >= 0) {
      EXPECT_NEAR((box.left + box.right) / 2.0, c.centreX, 2.0) << what;
    }
    if (c.left >= 0) {
      EXPECT_NEAR(box.left, c.left, 2) << what;
    }
    if (c.right >= 0) {
      EXPECT_NEAR(box.right, c.right, 2) << what;
    }
    if (c.centreY >= 0) {
      EXPECT_NEAR((box.top + box.bottom) / 2.0, c.centreY, 2.0) << what;
    }
    if (c.top >= 0) {
      EXPECT_NEAR(box.top, c.top, kLeading) << what;
    }
    if (c.bottom >= 0) {
      EXPECT_NEAR(box.bottom, c.bottom, kDescent) << what;
    }
  }
}

TEST(ItemPaint, LongTopTextWrapsInsideTheInset) {
  declare("long", ZK_STATIC, 120, 80, "brdsize=4;brdcol=blue;value=un deux trois quatre cinq six");
  Canvas canvas(120, 80);
  canvas.paint("long");
  const RECT box = canvas.boundsOf(kInk);
  EXPECT_NEAR(box.left, 4 + 1, 1);
  EXPECT_GE(box.top, 4);
  EXPECT_LE(box.top, 4 + 2 * kLeading);  // lower-case letters reach less high than capitals
  EXPECT_LE(box.right, 115);
  EXPECT_GT(box.bottom - box.top, 25);  // more than one line
}

TEST(ItemFont, HeightIsAskedInPointsAtTheContextResolution) {
  Reports reports;
  Canvas canvas(10, 10);
  const HGDIOBJ original = GetCurrentObject(canvas.dc(), OBJ_FONT);
  const long start = ZK_GdiCountIntl();
  ZK_ContextSetIntl("avant", "Avant");
  ASSERT_EQ(ZK_FormItemFontSet(canvas.dc(), "Arial", 16, true, true, false), ZK_OK);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "Avant");
  LOGFONTA font = {};
  ASSERT_NE(GetObjectA(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof font, &font), 0);
  EXPECT_EQ(font.lfHeight, -MulDiv(16, GetDeviceCaps(canvas.dc(), LOGPIXELSY), 72));
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_FALSE(font.lfUnderline);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfPitchAndFamily, FF_SWISS);
  EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);

  // A second font replaces the first, which is released at once; releasing gives the context its
  // own font back.
  ASSERT_EQ(ZK_FormItemFontSet(canvas.dc(), "Courier New", 0, false, false, true), ZK_OK);
  GetObjectA(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 0);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(ZK_GdiCountIntl(), start + 1);
  EXPECT_EQ(ZK_FontReleaseIntl(canvas.dc()), ZK_OK);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), original);
  EXPECT_EQ(ZK_GdiCountIntl(), start);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemFont, PainterUsesTheItemFontAndGivesTheContextItsFontBack) {
  declare("grand", ZK_STATIC, 300, 60, "value=MMM;ftname=Arial;ftsize=30");
  declare("petit", ZK_STATIC, 300, 60, "value=MMM;ftname=Arial;ftsize=8");
  Canvas big(300, 60);
  Canvas small(300, 60);
  const HGDIOBJ original = GetCurrentObject(big.dc(), OBJ_FONT);
  const long start = ZK_GdiCountIntl();
  big.paint("grand");
  small.paint("petit");
  EXPECT_EQ(GetCurrentObject(big.dc(), OBJ_FONT), original);
  EXPECT_EQ(ZK_GdiCountIntl(), start);
  const RECT large = big.boundsOf(kInk);
  const RECT little = small.boundsOf(kInk);
  EXPECT_GT(large.bottom - large.top, 2 * (little.bottom - little.top));
}

// Border and cross widths are 96-DPI units: three pixels at 96 DPI are five at 144 (4.5 rounded
// away from zero), and the frame stays inside the rectangle.
TEST(ItemPaint, LineWidthsFollowTheDpi) {
  Reports reports;
  for (const int dpi : {96, 144}) {
    Canvas canvas(40, 40);
    const int width = dpi == 96 ? 3 : 5;
    EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 40, 40, "SOLID", 3, 0x0000FF, -1, dpi), 0);
    EXPECT_EQ(canvas.at(20, width - 1), kRed) << dpi;
    EXPECT_EQ(canvas.at(20, width), Canvas::kUntouched) << dpi;
    EXPECT_EQ(canvas.at(40 - width, 20), kRed) << dpi;
    EXPECT_EQ(canvas.at(39 - width, 20), Canvas::kUntouched) << dpi;
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemPaint, BorderRoutineStatuses) {
  Reports reports;
  Canvas canvas(40, 40);
  EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 39, 39, "double", 1, 0, -1),
            ZK_ERR_BORDER_STYLE);
  EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 39, 39, "solid", 1, 0, -1),
            ZK_ERR_BORDER_STYLE);
  EXPECT_EQ(canvas.count(Canvas::kUntouched), 1600);
  // Size 0 draws no line but still fills; a size beyond 16 draws one pixel. The painter passes
  // the control's width and height as right and bottom: fill and frame cover the control exactly.
  EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 40, 40, "SOLID", 0, 0xFF0000, 0xFFFFFF), 0);
  EXPECT_EQ(canvas.count(kWhite), 1600);
  EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 40, 40, "SOLID", 40, 0xFF0000, -1), 0);
  EXPECT_EQ(canvas.count(kBlue), 4 * 39);
  EXPECT_EQ(canvas.at(39, 39), kBlue);
  // A three-pixel frame lies wholly inside.
  EXPECT_EQ(ZK_FormItemBorderIntl(canvas.dc(), 0, 0, 40, 40, "SOLID", 3, 0x0000FF, -1), 0);
  for (int i = 1; i < 39; i += 12) {
    for (int edge : {0, 2, 37, 39}) {
      EXPECT_EQ(canvas.at(i, edge), kRed) << i << "," << edge;
      EXPECT_EQ(canvas.at(edge, i), kRed) << edge << "," << i;
    }
  }
  EXPECT_EQ(canvas.at(3, 20), kWhite);
  EXPECT_EQ(canvas.at(36, 20), kWhite);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemPaint, UnknownStyleIsReportedAndOtherKindsAreNotDrawn) {
  Reports reports;
  declare("etrange", ZK_STATIC, 50, 20, "value=x");
  ItemRecord record = ZK_FormItemGet(kForm, "etrange");
  record.borderStyle = "zigzag";
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(kForm, "etrange"), record);
  Canvas canvas(50, 20);
  EXPECT_EQ(canvas.paint("etrange"), 1);
  ASSERT_EQ(reports.count(), 1u);
  EXPECT_NE(reports.texts()[0].find("25"), std::string::npos);
  EXPECT_GT(canvas.count(kInk), 0);  // the text is still drawn

  for (const char* kind : {ZK_EDIT, ZK_BUTTONSYS, ZK_CHECKSYS, ZK_COMBOSYS, ZK_DATAGRID}) {
    declare("autre", kind, 50, 20, "value=x;bkcol=white;brdsize=2");
    Canvas other(50, 20);
    EXPECT_EQ(other.paint("autre"), 0) << kind;
    EXPECT_EQ(other.count(Canvas::kUntouched), 1000) << kind;
  }
  Canvas none(50, 20);
  EXPECT_EQ(none.paint("absent"), 0);
  EXPECT_EQ(ZK_FormItemPaintIntl({nullptr, WM_DRAWITEM, 0, 0, kForm, "etrange"}), 0);
}

TEST(ItemPaint, FocusedButtonGetsAnOutlineAndItsRemarkInTheStatusBar) {
  Dialog dialog;
  HWND bar = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, dialog.hwnd(), nullptr,
                             nullptr, nullptr);
  item_test::host().formRecord.statusBar = true;
  item_test::host().formRecord.statusBarHwnd = bar;
  ZK_FormItemAdd(kForm, "ok", ZK_BUTTON, 1, 0, 0, 60, 30, "remark=Valider la fiche;bkcol=white");
  Canvas plain(60, 30);
  plain.paint("ok");
  EXPECT_EQ(plain.at(5, 15), kWhite);
  char text[64] = {};
  GetWindowTextA(bar, text, sizeof text);
  EXPECT_STREQ(text, "");

  Canvas focused(60, 30);
  focused.paint("ok", ODS_FOCUS, ODA_FOCUS);
  // The outline runs from (5, 5) to (55, 25), exclusive, in dotted inverted pixels.
  int changed = 0;
  for (int y = 5; y < 26; ++y) changed += focused.at(5, y) != kWhite ? 1 : 0;
  EXPECT_GE(changed, 8);
  EXPECT_EQ(focused.at(4, 15), kWhite);
  EXPECT_EQ(focused.at(6, 15), kWhite);
  GetWindowTextA(bar, text, sizeof text);
  EXPECT_STREQ(text, "Valider la fiche");
}

TEST(ItemPaint, EveryRepaintLeavesOnlyTheCurrentDrawing) {
  Reports reports;
  struct Change {
    const char* attribute;
    const char* value;
  };
  struct Case {
    const char* kind;
    const char* properties;
    std::vector<Change> changes;
  } cases[] = {
      // Velmo's sample label: border size 0 leaves neither border nor fill to the border routine.
      {ZK_STATIC,
       "value=Exemple de champ;bkcol=white;brdsize=1",
       {{"BRDSIZE", "0"}, {"TXHPOS", "right"}, {"TXVPOS", "bottom"}, {"TXHPOS", "center"}}},
      // Without a background colour the border routine fills nothing either.
      {ZK_STATIC,
       "value=Exemple;brdsize=6;brdcol=blue",
       {{"TXHPOS", "right"}, {"BRDSIZE", "1"}, {"BKCOL", "red"}, {"BKCOL", "-1"}}},
      {ZK_BUTTON, "value=WWWWWWWW", {{"VALUE", "i"}}},
      {ZK_CHECK, "check=yes;brdsize=4", {{"BRDSIZE", "1"}, {"CHECK", "no"}}},
      {ZK_RECT, "brdsize=8;brdcol=red", {{"BRDSIZE", "1"}, {"BRDSTYLE", "3DIN"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.properties);
    declare("item", c.kind, 200, 60, c.properties);
    Canvas shown(200, 60);
    shown.paint("item");
    for (const Change& change : c.changes) {
      ASSERT_EQ(ZK_FormItemSet(kForm, "item", change.attribute, change.value), ZK_OK);
      shown.paint("item");
    }
    // The same pixels as the item drawn once, as it now is, on a fresh canvas.
    Canvas fresh(200, 60);
    fresh.paint("item");
    EXPECT_EQ(shown.differences(fresh), 0);
    EXPECT_EQ(fresh.count(Canvas::kUntouched), 0);
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemPaint, EraseLeavesOutTheItemsAFrameEnclosesOnly) {
  Reports reports;
  Dialog dialog;
  ASSERT_EQ(ZK_FormItemAdd(kForm, "cadre", ZK_RECT, 1, 0, 0, 120, 80, "brdstyle=3DOUT"), 0);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "dedans", ZK_STATIC, 2, 20, 20, 40, 20, "value=x"), 0);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "cache", ZK_STATIC, 3, 70, 20, 40, 20, "visible=no"), 0);
  for (const char* item : {"cadre", "dedans", "cache"})
    ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, item), ZK_OK);
  item_test::host().formRecord.backColour = kFormColour;

  Canvas frame(120, 80);
  frame.paint("cadre", 0, ODA_DRAWENTIRE, ZK_FormItemGet(kForm, "cadre").hwnd);
  EXPECT_EQ(frame.at(10, 40), kFormColour);
  EXPECT_EQ(frame.at(80, 30), kFormColour);  // a hidden item is erased over
  EXPECT_EQ(frame.at(30, 30), Canvas::kUntouched);
  EXPECT_EQ(frame.count(Canvas::kUntouched), 40 * 20);
  // An item enclosed by the frame erases the whole of its own rectangle.
  Canvas inner(40, 20);
  inner.paint("dedans", 0, ODA_DRAWENTIRE, ZK_FormItemGet(kForm, "dedans").hwnd);
  EXPECT_EQ(inner.count(Canvas::kUntouched), 0);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemPaint, FocusOutlineIsDrawnExactlyWhileTheButtonHasTheFocus) {
  struct Step {
    UINT state;
    UINT action;
    bool outline;
  } steps[] = {
      {ODS_FOCUS, ODA_FOCUS, true},      {0, ODA_FOCUS, false},
      {ODS_FOCUS, ODA_FOCUS, true},      {ODS_FOCUS, ODA_DRAWENTIRE, true},
      {ODS_FOCUS, ODA_DRAWENTIRE, true}, {0, ODA_DRAWENTIRE, false},
  };
  for (const char* properties : {"bkcol=white", ""}) {
    declare("ok", ZK_BUTTON, 60, 30, properties);
    const COLORREF paper = *properties != 0 ? kWhite : GetSysColor(COLOR_BTNFACE);
    Canvas canvas(60, 30);
    int index = 0;
    for (const Step& step : steps) {
      canvas.paint("ok", step.state, step.action);
      // The outline's left side: dotted inverted pixels at x = 5 from y = 5 to 25.
      int dotted = 0;
      for (int y = 5; y < 26; ++y) dotted += canvas.at(5, y) != paper ? 1 : 0;
      EXPECT_EQ(dotted >= 8, step.outline) << properties << " step " << index;
      if (!step.outline) {
        EXPECT_EQ(dotted, 0) << properties << " step " << index;
      }
      ++index;
    }
  }
}

TEST(ItemColour, EditColoursAreAnsweredWithBrushesKeptInTheRecord) {
  Reports reports;
  struct Case {
    const char* properties;
    COLORREF text;
    COLORREF back;
  } cases[] = {
      {"", RGB(0, 0, 0), kWhite},
      {"txcol=red", kRed, kWhite},
      {"txcol=white;bkcol=blue", kWhite, kBlue},
  };
  for (const Case& c : cases) {
    declare("saisie", ZK_EDIT, 50, 20, c.properties);
    Canvas canvas(4, 4);
    HBRUSH brush = canvas.colour("saisie");
    const ItemRecord record = ZK_FormItemGet(kForm, "saisie");
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(record.backBrush, brush);
    EXPECT_EQ(GetTextColor(canvas.dc()), c.text) << c.properties;
    EXPECT_EQ(GetBkColor(canvas.dc()), c.back) << c.properties;
    LOGBRUSH pattern = {};
    GetObjectA(record.backBrush, sizeof pattern, &pattern);
    EXPECT_EQ(pattern.lbColor, c.back);
    GetObjectA(record.textBrush, sizeof pattern, &pattern);
    EXPECT_EQ(pattern.lbColor, c.text);
    ZK_GdiDeleteIntl(record.backBrush);
    ZK_GdiDeleteIntl(record.textBrush);
  }
  EXPECT_EQ(ZK_FormItemColourIntl({nullptr, WM_CTLCOLOREDIT, 0, 0, kForm, "absent"}), nullptr);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(ItemColour, RealEditControlAsksAndIsPaintedWithTheItemColours) {
  Dialog dialog;
  ZK_FormItemAdd(kForm, "saisie", ZK_EDIT, 1, 0, 0, 80, 24, "bkcol=blue;txcol=white");
  ASSERT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, "saisie"), ZK_OK);
  RedrawWindow(ZK_FormItemGet(kForm, "saisie").hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  item_test::pump();
  EXPECT_GT(item_test::host().colourRequests, 0);
  const ItemRecord record = ZK_FormItemGet(kForm, "saisie");
  LOGBRUSH pattern = {};
  ASSERT_NE(GetObjectA(record.backBrush, sizeof pattern, &pattern), 0);
  EXPECT_EQ(pattern.lbColor, kBlue);
}

TEST(ItemPaint, ThousandsOfPaintsAndColourRequestsLeaveTheGdiCountWhereItStarted) {
  Reports reports;
  declare("st", ZK_STATIC, 100, 30, "value=Texte;bkcol=white;brdsize=2;ftname=Arial;ftbold=y");
  declare("re", ZK_RECT, 100, 30, "bkcol=red;brdstyle=3DOUT");
  declare("bo", ZK_BUTTON, 100, 30, "value=OK;bkcol=white;ftname=Courier New;ftsize=12");
  declare("ch", ZK_CHECK, 20, 20, "check=y;brdstyle=3DIN;ftname=Arial");
  declare("ed", ZK_EDIT, 100, 20, "txcol=red");
  Canvas canvas(100, 30);
  const HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
  const HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
  const long start = ZK_GdiCountIntl();
  for (int i = 0; i < 1000; ++i) {
    canvas.paint("st");
    canvas.paint("re");
    canvas.paint("bo", (i % 2) ? ODS_SELECTED : 0, (i % 3) ? ODA_DRAWENTIRE : ODA_FOCUS);
    canvas.paint("ch");
  }
  EXPECT_EQ(ZK_GdiCountIntl(), start);
  for (int i = 0; i < 1000; ++i) {
    canvas.colour("ed");
  }
  // Only the last pair is kept, in the record.
  EXPECT_EQ(ZK_GdiCountIntl(), start + 2);
  const ItemRecord record = ZK_FormItemGet(kForm, "ed");
  EXPECT_TRUE(ZK_GdiDeleteIntl(record.backBrush));
  EXPECT_TRUE(ZK_GdiDeleteIntl(record.textBrush));
  EXPECT_EQ(ZK_GdiCountIntl(), start);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
  EXPECT_EQ(reports.count(), 0u);
}
