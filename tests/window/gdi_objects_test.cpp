// The toolkit's count of its own GDI objects.
#include <gtest/gtest.h>

#include "window/gdi_objects.h"

TEST(GdiCount, FollowsCreationAndRelease) {
  const long start = ZK_GdiCountIntl();
  HBRUSH brush = ZK_GdiBrushIntl(RGB(1, 2, 3));
  LOGBRUSH pattern = {BS_SOLID, RGB(0, 0, 0), 0};
  HPEN pen = ZK_GdiPenIntl(PS_GEOMETRIC | PS_SOLID, 2, pattern);
  HFONT font = ZK_GdiFontIntl(-13, 700, true, false, "Arial");
  ASSERT_TRUE(brush && pen && font);
  EXPECT_EQ(ZK_GdiCountIntl(), start + 3);
  EXPECT_TRUE(ZK_GdiDeleteIntl(brush));
  EXPECT_TRUE(ZK_GdiDeleteIntl(pen));
  EXPECT_TRUE(ZK_GdiDeleteIntl(font));
  EXPECT_FALSE(ZK_GdiDeleteIntl(nullptr));
  EXPECT_EQ(ZK_GdiCountIntl(), start);
}

TEST(GdiCount, ScopedSelectPutsThePreviousObjectBack) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
  HBRUSH brush = ZK_GdiBrushIntl(RGB(9, 9, 9));
  {
    ZK_ScopedSelect selected(dc, brush);
    EXPECT_TRUE(selected.ok());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original);
  EXPECT_TRUE(ZK_GdiDeleteIntl(brush));
  DeleteDC(dc);
}

TEST(GdiCount, AFailedDeletionKeepsItsObjectUntilTheNextDeletion) {
  const long start = ZK_GdiCountIntl();
  HBRUSH first = ZK_GdiBrushIntl(RGB(1, 1, 1));
  HBRUSH second = ZK_GdiBrushIntl(RGB(2, 2, 2));
  ZK_GdiFailAtIntl(1);
  EXPECT_FALSE(ZK_GdiDeleteIntl(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(ZK_GdiCountIntl(), start + 2);
  EXPECT_TRUE(ZK_GdiDeleteIntl(second));
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(ZK_GdiCountIntl(), start);

  ZK_GdiFailAtIntl(2);
  HBRUSH made = ZK_GdiBrushIntl(RGB(3, 3, 3));
  EXPECT_EQ(ZK_GdiBrushIntl(RGB(4, 4, 4)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_TRUE(ZK_GdiDeleteIntl(made));
  EXPECT_EQ(ZK_GdiCountIntl(), start);
}
