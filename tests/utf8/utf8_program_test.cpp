// A program that declares the UTF-8 code page in its manifest: every text it passes and gets back
// is UTF-8, lengths count characters, long texts come back whole, and the catalogue's French
// messages (stored in code page 1252) arrive in UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "forms/form_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

// "Γλώσσες — 言語", "Привет", "日本語です"
const char kCaption[] =
    "\xCE\x93\xCE\xBB\xCF\x8E\xCF\x83\xCF\x83\xCE\xB5\xCF\x82 \xE2\x80\x94 "
    "\xE8\xA8\x80\xE8\xAA\x9E";
const wchar_t kCaptionWide[] = L"\x0393\x03BB\x03CE\x03C3\x03C3\x03B5\x03C2 \x2014 \x8A00\x8A9E";
const char kRussian[] = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const wchar_t kRussianWide[] = L"\x041F\x0440\x0438\x0432\x0435\x0442";
const char kJapanese[] = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA7\xE3\x81\x99";

std::wstring wideText(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

// Sets the field's text as a program would and leaves it, so that the toolkit reads it back.
std::string leaveWith(const std::string& item, const std::string& text) {
  HWND control = controlOf("fiche", item);
  SendMessageA(dialogOf("fiche"), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), EN_SETFOCUS),
               reinterpret_cast<LPARAM>(control));
  SetWindowTextA(control, text.c_str());
  SendMessageA(dialogOf("fiche"), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(control));
  return ZK_FormItemGet("fiche", item).field.text;
}

class Utf8Program : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's UTF-8 code page is not in effect";
    ASSERT_EQ(ZK_FormItemAdd("fiche", "court", ZK_EDIT, 1, 10, 10, 200, 22,
                             std::string("length=3;value=") + kRussian),
              ZK_OK);
    ASSERT_EQ(ZK_FormItemAdd("fiche", "long", ZK_EDIT, 2, 10, 40, 200, 22, ""), ZK_OK);
    ASSERT_EQ(ZK_FormCreate("fiche", std::string("name=") + kCaption, 10, 10, 300, 200, nullptr),
              ZK_OK);
  }
  Reports reports_;
  Toolkit toolkit_;
};

TEST_F(Utf8Program, TextsReadBackAsUtf16) {
  EXPECT_EQ(wideText(dialogOf("fiche")), kCaptionWide);
  EXPECT_EQ(wideText(controlOf("fiche", "court")), kRussianWide);
  EXPECT_EQ(reports_.count(), 0u);
}

TEST_F(Utf8Program, LengthCountsCharactersAndLongTextsComeWhole) {
  // Three characters, nine bytes: a cut by bytes would keep one character.
  EXPECT_EQ(leaveWith("court", kJapanese), std::string(kJapanese, 9));
  EXPECT_EQ(form_test::textOf(controlOf("fiche", "court")), std::string(kJapanese, 9));
  std::string many;
  for (int i = 0; i < 700; ++i) many += "\xD0\x96";  // 1 400 bytes of "Ж"
  EXPECT_EQ(leaveWith("long", many), many);
  EXPECT_EQ(reports_.count(), 0u);
}

TEST(Utf8Catalogue, FrenchMessagesArriveInUtf8) {
  ZK_ErrorPromptSetIntl([](const std::string&, const std::string&) { return false; });
  const std::string report = ZK_ErrorReportIntl(ZK_ERR_WINDOW_EXISTS);
  ZK_ErrorPromptSetIntl(nullptr);
  // "Cette fenêtre existe déjà"
  EXPECT_NE(report.find("Cette fen\xC3\xAAtre existe d\xC3\xA9j\xC3\xA0\n"), std::string::npos)
      << report;
}

// A chosen file's name comes back in UTF-8 whatever its script; the menu shortcuts' key names
// (code page 1252 in the catalogue) too.
TEST(Utf8Dialogs, FileNamesAndKeyNamesInUtf8) {
  std::string name;
  EXPECT_TRUE(ZK_NarrowIntl(std::wstring(kCaptionWide) + L".csv", &name));
  EXPECT_EQ(name, std::string(kCaption) + ".csv");
  EXPECT_EQ(ZK_MenuKeyTextIntl(VK_DELETE, kKeyCtrl), "Ctrl+Suppr");
  EXPECT_EQ(ZK_MenuKeyTextIntl(VK_PRIOR, kKeyCtrl),
            "Ctrl+Pg.Pr\xC3\xA9"
            "c");  // Pg.Préc
}

}  // namespace
