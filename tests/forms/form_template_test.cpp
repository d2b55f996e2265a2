// The in-memory dialog template of a form, read back byte by byte.
#include <gtest/gtest.h>

#include <string>

#include "form_test_host.h"

namespace {

WORD wordAt(const BYTE* bytes, size_t offset) {
  return static_cast<WORD>(bytes[offset] | (bytes[offset + 1] << 8));
}

DWORD dwordAt(const BYTE* bytes, size_t offset) {
  return wordAt(bytes, offset) | (static_cast<DWORD>(wordAt(bytes, offset + 2)) << 16);
}

std::wstring wideAt(const BYTE* bytes, size_t offset, size_t length) {
  std::wstring text;
  for (size_t i = 0; i < length; ++i) text += static_cast<wchar_t>(wordAt(bytes, offset + 2 * i));
  return text;
}

// A caption of n characters, cycling through letters and one accented letter.
std::string captionOf(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i)
    text += (i % 7 == 3) ? '\xE9' : static_cast<char>('a' + i % 26);
  return text;
}

std::wstring wideCaptionOf(size_t length) {
  std::wstring text;
  for (size_t i = 0; i < length; ++i)
    text += (i % 7 == 3) ? L'\u00E9' : static_cast<wchar_t>(L'a' + i % 26);
  return text;
}

TEST(FormTemplate, LaysOutEveryFieldForCaptionsOfEveryLength) {
  form_test::Reports reports;
  const LONG base = GetDialogBaseUnits();
  const int baseX = LOWORD(base);
  const int baseY = HIWORD(base);
  for (size_t length : {size_t{0}, size_t{1}, size_t{493}, size_t{2000}}) {
    SCOPED_TRACE("caption of " + std::to_string(length) + " characters");
    HGLOBAL block = nullptr;
    ASSERT_EQ(ZK_FormTemplateIntl(captionOf(length), 0x90CF0880, 37, 55, 412, 301, &block), 0);
    ASSERT_NE(block, nullptr);
    const size_t needed = 22 + 2 * length + 2 + 2 + 12;
    // 1024 bytes hold a caption of 493 characters; a longer one gets a block of its own size.
    EXPECT_GE(GlobalSize(block), needed);
    EXPECT_GE(GlobalSize(block), 1024u);
    if (length <= 493) {
      EXPECT_LT(GlobalSize(block), 1024u + 64u);
    }
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(dwordAt(bytes, 0), 0x90CF0880u);
    EXPECT_EQ(dwordAt(bytes, 4), 0u);
    EXPECT_EQ(wordAt(bytes, 8), 0u);
    EXPECT_EQ(wordAt(bytes, 10), MulDiv(37, 4, baseX));
    EXPECT_EQ(wordAt(bytes, 12), MulDiv(55, 8, baseY));
    EXPECT_EQ(wordAt(bytes, 14), MulDiv(412, 4, baseX));
    EXPECT_EQ(wordAt(bytes, 16), MulDiv(301, 8, baseY));
    EXPECT_EQ(wordAt(bytes, 18), 0u);
    EXPECT_EQ(wordAt(bytes, 20), 0u);
    EXPECT_EQ(wideAt(bytes, 22, length), wideCaptionOf(length));
    EXPECT_EQ(wordAt(bytes, 22 + 2 * length), 0u);
    EXPECT_EQ(wordAt(bytes, 24 + 2 * length), 10u);
    EXPECT_EQ(wideAt(bytes, 26 + 2 * length, 6), std::wstring(L"Arial", 6));
    // Nothing written past the typeface: the rest of the block stays zero.
    bool zeroAfter = true;
    for (size_t i = 38 + 2 * length; i < GlobalSize(block); ++i) zeroAfter &= bytes[i] == 0;
    EXPECT_TRUE(zeroAfter);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormTemplate, ChildStyleAndDialogUnitsOfOtherPlacements) {
  form_test::Reports reports;
  const LONG base = GetDialogBaseUnits();
  struct Case {
    int x, y, width, height;
  };
  for (const Case& c :
       {Case{0, 0, 0, 0}, Case{9, 16, 9, 16}, Case{800, 600, 1, 1}, Case{-18, -32, 100, 50}}) {
    HGLOBAL block = nullptr;
    ASSERT_EQ(ZK_FormTemplateIntl("Fiche", 0x50000000, c.x, c.y, c.width, c.height, &block), 0);
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    EXPECT_EQ(dwordAt(bytes, 0), 0x50000000u);
    EXPECT_EQ(static_cast<short>(wordAt(bytes, 10)), MulDiv(c.x, 4, LOWORD(base)));
    EXPECT_EQ(static_cast<short>(wordAt(bytes, 12)), MulDiv(c.y, 8, HIWORD(base)));
    EXPECT_EQ(static_cast<short>(wordAt(bytes, 14)), MulDiv(c.width, 4, LOWORD(base)));
    EXPECT_EQ(static_cast<short>(wordAt(bytes, 16)), MulDiv(c.height, 8, HIWORD(base)));
    EXPECT_EQ(wideAt(bytes, 22, 6), std::wstring(L"Fiche", 6));
    GlobalUnlock(block);
    GlobalFree(block);
  }
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
