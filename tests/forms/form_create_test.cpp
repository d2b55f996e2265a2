// Opening and forgetting forms: statuses, the form's record, its dialog as the platform shows it,
// modal and modeless runs, and repeated use without leaks.
#include <gtest/gtest.h>

#include <string>

#include "form_test_host.h"
#include "support/import_patch.h"
#include "support/refusals.h"

namespace {
using form_test::closeAfterOpening;
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;
using support::reportLine;

std::string windowTextWide(HWND window, std::wstring* wide) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  *wide = buffer;
  return form_test::textOf(window);
}

TEST(FormCreate, RefusesBadNamesMissingMainWindowAndOpenForms) {
  Reports reports;
  ZK_ResetZarvikIntl();
  EXPECT_EQ(ZK_FormCreate("fiche", "", 0, 0, 200, 100, nullptr), ZK_ERR_NO_MAIN_WINDOW);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_FormCreate");
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "fiche");
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").title, "");

  Toolkit toolkit;
  EXPECT_EQ(ZK_FormCreate("", "", 0, 0, 200, 100, nullptr), ZK_ERR_NAME_EMPTY);
  EXPECT_EQ(ZK_FormCreate("f.a", "", 0, 0, 200, 100, nullptr), ZK_ERR_NAME_HAS_DOT);
  EXPECT_EQ(ZK_FormCreate(form_test::kMain, "", 0, 0, 200, 100, nullptr), ZK_ERR_WINDOW_EXISTS);
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 200, 100, nullptr), 0);
  EXPECT_EQ(ZK_FormCreate("fiche", "", 10, 10, 200, 100, nullptr), ZK_ERR_WINDOW_EXISTS);
  EXPECT_EQ(reports.count(), 5u);

  // Closed but not forgotten: the record keeps its old window handle.
  SendMessageA(dialogOf("fiche"), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(dialogOf("fiche")));
  EXPECT_EQ(ZK_FormCreate("fiche", "", 10, 10, 200, 100, nullptr), ZK_ERR_WINDOW_EXISTS);
  EXPECT_EQ(ZK_FormClose("fiche"), 0);
  EXPECT_EQ(ZK_FormCreate("fiche", "", 10, 10, 200, 100, nullptr), 0);
  EXPECT_EQ(reports.count(), 6u);
}

TEST(FormCreate, FillsTheRecordFromTheProperties) {
  Reports reports;
  Toolkit toolkit;
  const long gdi = ZK_GdiCountIntl();
  ASSERT_EQ(ZK_FormCreate("fiche", "bkcol=red;stbar=no;name=Ma fiche", 20, 30, 300, 200,
                          form_test::recordEvent),
            0);
  WindowRecord record = ZK_WindowLookupIntl("fiche");
  EXPECT_EQ(record.title, "fiche");
  EXPECT_EQ(record.callback, &form_test::recordEvent);
  EXPECT_EQ(record.backColour, RGB(255, 0, 0));
  EXPECT_NE(record.backBrush, nullptr);
  EXPECT_EQ(ZK_GdiCountIntl(), gdi + 1);
  EXPECT_FALSE(record.statusBar);
  EXPECT_EQ(record.statusBarHwnd, nullptr);
  EXPECT_FALSE(record.modal);
  EXPECT_EQ(record.properties, "bkcol=red;stbar=no;name=Ma fiche");
  EXPECT_EQ(record.x, 20);
  EXPECT_EQ(record.width, 300);
  EXPECT_TRUE(IsWindow(record.hwnd));
  EXPECT_EQ(GetWindow(record.hwnd, GW_OWNER), toolkit.main());
  EXPECT_EQ(form_test::textOf(record.hwnd), "Ma fiche");
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "fiche");

  ASSERT_EQ(ZK_FormCreate("autre", "", 20, 30, 300, 200, nullptr), 0);
  record = ZK_WindowLookupIntl("autre");
  EXPECT_EQ(record.backColour, RGB(255, 255, 255));
  EXPECT_TRUE(record.statusBar);
  char className[64] = {};
  GetClassNameA(record.statusBarHwnd, className, sizeof className);
  EXPECT_STREQ(className, "msctls_statusbar32");
  EXPECT_EQ(GetParent(record.statusBarHwnd), record.hwnd);
  EXPECT_EQ(GetDlgCtrlID(record.statusBarHwnd), 100);
  EXPECT_EQ(form_test::textOf(record.hwnd), "Zarvik Form");
  EXPECT_EQ(ZK_WindowNameByHandleIntl(record.hwnd), "autre");
  EXPECT_EQ(ZK_WindowNameByHandleIntl(toolkit.main()), form_test::kMain);
  EXPECT_EQ(ZK_WindowNameByHandleIntl(record.statusBarHwnd), "");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormCreate, EdgeFalseAloneGivesABorderlessChild) {
  Reports reports;
  Toolkit toolkit;
  struct Case {
    const char* properties;
    bool child;
  };
  const Case cases[] = {{"edge=false", true}, {"EDGE=FALSE", false}, {"edge=no", false},
                        {"edge=F", false},    {"", false},           {"edge= false ", true}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.properties);
    const std::string name = "f" + std::to_string(n++);
    ASSERT_EQ(ZK_FormCreate(name, c.properties, 10, 10, 200, 100, nullptr), 0);
    const LONG style = GetWindowLongA(dialogOf(name), GWL_STYLE);
    EXPECT_EQ((style & WS_CHILD) != 0, c.child);
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, !c.child);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, !c.child);
    EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, !c.child);
    EXPECT_EQ((style & WS_SYSMENU) != 0, !c.child);
    EXPECT_TRUE(style & WS_VISIBLE);
    if (c.child) {
      EXPECT_EQ(GetParent(dialogOf(name)), toolkit.main());
    }
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormCreate, CaptionIsConvertedFromCodePage1252) {
  Reports reports;
  Toolkit toolkit;
  // "Fiche d'été": e acute is 0xE9 in code page 1252.
  ASSERT_EQ(ZK_FormCreate("fiche", "name=Fiche d'\xE9t\xE9", 10, 10, 200, 100, nullptr), 0);
  std::wstring wide;
  windowTextWide(dialogOf("fiche"), &wide);
  EXPECT_EQ(wide, L"Fiche d'\u00E9t\u00E9");

  // A caption far beyond the usual block is shown whole.
  const std::string longCaption(700, 'x');
  ASSERT_EQ(ZK_FormCreate("longue", "name=" + longCaption, 10, 10, 200, 100, nullptr), 0);
  wchar_t buffer[1024] = {};
  GetWindowTextW(dialogOf("longue"), buffer, 1024);
  EXPECT_EQ(std::wstring(buffer), std::wstring(700, L'x'));
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormCreate, ModalRunReturnsAfterTheFormCloses) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("modale", "nom", ZK_EDIT, 1, 10, 10, 100, 20, ""), 0);
  ASSERT_EQ(ZK_FormCreate("modale", "modal=yes", 10, 10, 300, 200, closeAfterOpening), 0);
  const WindowRecord record = ZK_WindowLookupIntl("modale");
  EXPECT_TRUE(record.modal);
  EXPECT_EQ(record.closedBy, "CLOSE");
  EXPECT_FALSE(IsWindow(record.hwnd));
  EXPECT_TRUE(IsWindowEnabled(toolkit.main()));
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "");
  EXPECT_EQ(ZK_FormClose("modale"), 0);

  // MODAL with any other word runs modelessly: the call returns with the dialog open.
  ASSERT_EQ(ZK_FormCreate("libre", "modal=oui", 10, 10, 300, 200, nullptr), 0);
  EXPECT_FALSE(ZK_WindowLookupIntl("libre").modal);
  EXPECT_TRUE(IsWindowVisible(dialogOf("libre")));
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormClose, ForgetsTheFormAndOnlyItsOwnItems) {
  Reports reports;
  Toolkit toolkit;
  EXPECT_EQ(ZK_FormClose("inconnue"), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_FormClose");
  EXPECT_EQ(reports.count(), 1u);

  for (const char* form : {"f", "fx", "g"}) {
    ASSERT_EQ(ZK_FormItemAdd(form, "a", ZK_EDIT, 1, 10, 10, 80, 20, "bkcol=yellow"), 0);
    ASSERT_EQ(ZK_FormItemAdd(form, "b", ZK_BUTTON, 2, 10, 40, 80, 20, ""), 0);
  }
  const long gdi = ZK_GdiCountIntl();
  ASSERT_EQ(ZK_FormCreate("f", "", 10, 10, 300, 200, nullptr), 0);
  form_test::pump();
  SendMessageA(dialogOf("f"), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ZK_FormClose("f"), 0);
  EXPECT_EQ(ZK_GdiCountIntl(), gdi);
  EXPECT_EQ(ZK_WindowLookupIntl("f").title, "");
  EXPECT_EQ(ZK_FormItemGet("f", "a").kind, "");
  EXPECT_EQ(ZK_FormItemGet("f", "b").kind, "");
  EXPECT_EQ(ZK_FormItemGet("fx", "a").kind, ZK_EDIT);
  EXPECT_EQ(ZK_FormItemGet("fx", "b").kind, ZK_BUTTON);
  EXPECT_EQ(ZK_FormItemGet("g", "a").kind, ZK_EDIT);
  EXPECT_EQ(ZK_FormClose("f"), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(reports.count(), 2u);
}

TEST(FormClose, ReleasesTheBrushesOfAFormNeverClosed) {
  Reports reports;
  Toolkit toolkit;
  const long gdi = ZK_GdiCountIntl();
  ASSERT_EQ(ZK_FormItemAdd("f", "a", ZK_EDIT, 1, 10, 10, 80, 20, "bkcol=yellow"), 0);
  ASSERT_EQ(ZK_FormCreate("f", "", 10, 10, 300, 200, nullptr), 0);
  HWND dialog = dialogOf("f");
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_NE(ZK_FormItemGet("f", "a").backBrush, nullptr);
  // Forgotten while its dialog still runs: the brushes go, the dialog stays.
  EXPECT_EQ(ZK_FormClose("f"), 0);
  EXPECT_EQ(ZK_GdiCountIntl(), gdi);
  EXPECT_TRUE(IsWindow(dialog));
  // The dialog of a forgotten form answers 4, and no brush at all to a colour request.
  EXPECT_EQ(ZK_FormProcIntl(dialog, WM_SYSCOMMAND, SC_CLOSE, 0), ZK_ERR_WINDOW_NOT_FOUND);
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(dialog));
  HDC dc = GetDC(dialog);
  EXPECT_EQ(ZK_FormProcIntl(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(dialog)),
            0);
  ReleaseDC(dialog, dc);
  DestroyWindow(dialog);
  EXPECT_EQ(reports.count(), 0u);
}

// More stand-ins as those of support/refusals.h.
BOOL WINAPI lineToRefused(HDC, int, int) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return FALSE;
}
HBRUSH WINAPI brushRefused(COLORREF) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}
LPVOID WINAPI lockRefused(HGLOBAL) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}
BOOL WINAPI windowTextRefused(HWND, LPCSTR) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return FALSE;
}
decltype(&GlobalFree) gGlobalFree = nullptr;
HGLOBAL WINAPI freeLeavingItsOwnError(HGLOBAL memory) {
  const HGLOBAL left = gGlobalFree(memory);
  SetLastError(ERROR_INVALID_HANDLE);
  return left;
}

TEST(FailureReport, NamesTheSystemErrorOfTheCallThatFailed) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("cadre", "titre", ZK_STATIC, 1, 10, 10, 100, 20, "brdsize=1"), 0);
  ASSERT_EQ(ZK_FormCreate("cadre", "", 10, 10, 300, 200, nullptr), 0);
  struct Refusal {
    const char* dll;
    const char* function;
    const void* standIn;
    const char* code;
    void (*act)();
  } refusals[] = {
      {"gdi32.dll", "SelectObject", reinterpret_cast<const void*>(support::selectRefused), "1013",
       [] {
         HDC dc = CreateCompatibleDC(nullptr);
         ZK_FormItemFontSet(dc, "Arial", 10, false, false, false);
         DeleteDC(dc);
       }},
      {"gdi32.dll", "LineTo", reinterpret_cast<const void*>(lineToRefused), "1043",
       [] { ZK_FormItemRedrawIntl("cadre", "titre"); }},
      {"gdi32.dll", "CreateSolidBrush", reinterpret_cast<const void*>(brushRefused), "1028",
       [] { ZK_FormCreate("autre", "", 10, 10, 300, 200, nullptr); }},
      {"kernel32.dll", "GlobalLock", reinterpret_cast<const void*>(lockRefused), "1016",
       [] { ZK_FormCreate("autre", "", 10, 10, 300, 200, nullptr); }},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.function);
    Reports::texts().clear();
    {
      support::ImportPatch refused(r.dll, r.function, r.standIn);
      support::ImportPatch remove("gdi32.dll", "DeleteObject",
                                  reinterpret_cast<const void*>(support::deleteLeavingItsOwnError));
      support::ImportPatch release("kernel32.dll", "GlobalFree",
                                   reinterpret_cast<const void*>(freeLeavingItsOwnError));
      ASSERT_TRUE(refused.active() && remove.active() && release.active());
      support::realDeleteObject() = remove.original<decltype(&DeleteObject)>();
      gGlobalFree = release.original<decltype(&GlobalFree)>();
      r.act();
    }
    ASSERT_FALSE(Reports::texts().empty());
    for (const std::string& report : Reports::texts()) {
      EXPECT_EQ(reportLine(report, "Error number"), r.code);
      EXPECT_EQ(reportLine(report, "System error"), std::to_string(ERROR_NOT_ENOUGH_MEMORY));
    }
  }
}

TEST(FormCreateItem, DialogActivityDuringTheCreationLeavesTheCallerAndTheReportTheirOwn) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  HWND dialog = dialogOf("fiche");
  int nested = 0;
  form_test::recorder().action = [&nested](const std::string&, HWND) { ++nested; };
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ajout", ZK_EDIT, 1, 10, 10, 100, 20, "value=x"), 0);
  ZK_ContextSetIntl("appelant", "ZK_Caller");
  ASSERT_EQ(ZK_FormCreateItem(dialog, "fiche", "ajout"), ZK_OK);
  EXPECT_GT(nested, 0);  // the dialog procedure ran inside the creation
  EXPECT_EQ(ZK_ContextGetIntl().windowName, "appelant");
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_Caller");

  ASSERT_EQ(ZK_FormItemAdd("fiche", "refus", ZK_EDIT, 2, 10, 40, 100, 20, "value=y"), 0);
  nested = 0;
  {
    support::ImportPatch refused("user32.dll", "SetWindowTextA",
                                 reinterpret_cast<const void*>(windowTextRefused));
    ASSERT_TRUE(refused.active());
    EXPECT_EQ(ZK_FormCreateItem(dialog, "fiche", "refus"), ZK_ERR_SET_WINDOW_TEXT);
  }
  EXPECT_GT(nested, 0);
  ASSERT_EQ(reports.count(), 1u);
  EXPECT_EQ(reportLine(Reports::texts()[0], "Function"), "ZK_FormCreateItem");
  EXPECT_EQ(reportLine(Reports::texts()[0], "Window name"), "fiche.refus");
  EXPECT_EQ(ZK_ContextGetIntl().functionName, "ZK_FormCreateItem");
  form_test::recorder().action = nullptr;
}

}  // namespace
