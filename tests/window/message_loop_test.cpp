// The message loop's exit code and dialog keyboard handling, the main window's default messages
// and the vertical scrolling of its text surface.
#include <cstring>

#include "window_test_support.h"

namespace {

// A modeless dialog with one push button (id 100), built from a small in-memory template.
struct KeyLog {
  int cancelCommands = 0;  // WM_COMMAND IDCANCEL: the dialog manager handled Escape
  int buttonKeyDowns = 0;  // WM_KEYDOWN dispatched to the button itself
  WNDPROC buttonProc = nullptr;
} keys;

INT_PTR CALLBACK dialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ++keys.cancelCommands;
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) ++keys.buttonKeyDowns;
  return CallWindowProcA(keys.buttonProc, window, message, wParam, lParam);
}

HWND createDialog(const std::string& name) {
  alignas(4) WORD buffer[64] = {};
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
  dialog->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  dialog->cdit = 1;
  dialog->cx = 100;
  dialog->cy = 50;
  WORD* p = reinterpret_cast<WORD*>(dialog + 1);
  *p++ = 0;                                          // no menu
  *p++ = 0;                                          // default class
  *p++ = 0;                                          // no title
  if (reinterpret_cast<std::uintptr_t>(p) % 4) ++p;  // items start on a DWORD boundary
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
  item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  item->x = 10;
  item->y = 10;
  item->cx = 40;
  item->cy = 14;
  item->id = 100;
  p = reinterpret_cast<WORD*>(item + 1);
  *p++ = 0xFFFF;
  *p++ = 0x0080;  // button
  *p++ = 0;       // no text
  *p++ = 0;       // no creation data
  HWND window = CreateDialogIndirectParamA(ZK_WindowStateIntl().instance, dialog, wt::mainHwnd(),
                                           dialogProc, 0);
  WindowRecord record = ZK_WindowDefaultIntl();
  record.hwnd = window;
  ZK_WindowStoreIntl(name, record);
  HWND button = GetDlgItem(window, 100);
  keys.buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc)));
  return window;
}

WindowRecord scrollRecord(int first, int last, int count) {
  WindowRecord record = ZK_WindowLookupIntl("Main");
  record.firstLine = first;
  record.lastLine = last;
  record.lineCount = count;
  ZK_WindowStoreIntl("Main", record);
  return record;
}

// A scroll bar state no scroll step would set, to see whether the bar was touched.
void markScrollBar() {
  SCROLLINFO bar = {sizeof bar, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 42, 3, 7, 0};
  SetScrollInfo(wt::mainHwnd(), SB_VERT, &bar, FALSE);
}

SCROLLINFO readScrollBar() {
  SCROLLINFO bar = {};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(wt::mainHwnd(), SB_VERT, &bar);
  return bar;
}

}  // namespace

TEST(MessageLoop, ReturnsTheQuitCode) {
  wt::answerReportsNo();
  PostQuitMessage(3);
  EXPECT_EQ(ZK_MessageLoop(), 3);
}

TEST(MessageLoop, DestroyingTheMainWindowEndsItWithZero) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  PostMessageA(wt::mainHwnd(), WM_CLOSE, 0, 0);  // DefWindowProcA destroys, WM_DESTROY quits
  EXPECT_EQ(ZK_MessageLoop(), 0);
  EXPECT_FALSE(IsWindow(wt::mainHwnd()));
  EXPECT_TRUE(wt::reported().empty());
}

TEST(MessageLoop, DialogKeysGoToTheActiveFormOnly) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  HWND dialog = createDialog("dlg");
  createDialog("other");
  ASSERT_NE(dialog, nullptr);
  HWND button = GetDlgItem(dialog, 100);
  const struct {
    const char* active;
    int cancels;
    int keyDowns;
  } cases[] = {
      {"dlg", 1, 0},     // the dialog manager turns Escape into IDCANCEL
      {"", 0, 1},        // no active form: translated and dispatched to the button
      {"other", 0, 1},   // another form is active: this dialog's keys are dispatched
      {"nobody", 0, 1},  // an active name without a record
  };
  for (const auto& c : cases) {
    keys.cancelCommands = keys.buttonKeyDowns = 0;
    ZK_WindowStateIntl().activeFormName = c.active;
    PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 1);
    PostQuitMessage(0);
    EXPECT_EQ(ZK_MessageLoop(), 0);
    EXPECT_EQ(keys.cancelCommands, c.cancels) << c.active;
    EXPECT_EQ(keys.buttonKeyDowns, c.keyDowns) << c.active;
  }
  // An active form whose dialog is gone.
  DestroyWindow(dialog);
  ZK_WindowStateIntl().activeFormName = "dlg";
  PostQuitMessage(4);
  EXPECT_EQ(ZK_MessageLoop(), 4);
}

TEST(WindowMessageAuto, OtherMessagesChangeNothing) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  const WindowRecord before = scrollRecord(2, 12, 50);
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowMessageAuto(WM_MOVE, SB_LINEDOWN), 0);
  EXPECT_EQ(ZK_WindowMessageAuto(WM_COMMAND, 40001), 0);
  wt::expectContext("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowLookupIntl("Main").firstLine, before.firstLine);
  EXPECT_EQ(ZK_WindowLookupIntl("Main").lastLine, before.lastLine);
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(WindowMessageAuto, SizeHidesTheBarOnlyWhenTextFitsAtTheTop) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  HWND window = wt::mainHwnd();
  const struct {
    int textY, first;
    bool shown;
  } cases[] = {{0, 0, false}, {5000, 0, true}, {0, 3, true}};
  for (const auto& c : cases) {
    WindowRecord record = ZK_WindowLookupIntl("Main");
    record.textY = c.textY;
    record.firstLine = c.first;
    ZK_WindowStoreIntl("Main", record);
    // Showing the bar resizes the client area: its own WM_SIZE already runs through the record.
    ShowScrollBar(window, SB_VERT, TRUE);
    EXPECT_EQ(ZK_WindowMessageAuto(WM_SIZE, 0), 0);
    EXPECT_EQ((GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL) != 0, c.shown) << c.textY;
    EXPECT_FALSE(ZK_WindowLookupIntl("Main").scrollBarShown);
  }
  // Before the window is registered (CreateWindowExA sends WM_SIZE) there is nothing to do.
  ZK_WindowCurrentSetIntl("");
  EXPECT_EQ(ZK_WindowMessageAuto(WM_SIZE, 0), 0);
  EXPECT_EQ(ZK_WindowMessageAuto(WM_VSCROLL, SB_LINEDOWN), 0);
  EXPECT_EQ(ZK_WindowRegistryIntl().count(""), 0u);
  EXPECT_TRUE(wt::reported().empty());
}

TEST(WindowMessageAuto, DestroyPostsQuitZero) {
  wt::answerReportsNo();
  EXPECT_EQ(ZK_WindowMessageAuto(WM_DESTROY, 0), 0);
  MSG quit = {};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST(VerticalScroll, MovesTheVisibleLines) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  const struct {
    int first, last, count;
    WPARAM request;
    int wantFirst, wantLast;
  } cases[] = {
      {0, 20, 100, SB_LINEDOWN, 1, 21},
      {0, 20, 100, SB_PAGEDOWN, 20, 40},
      {1, 21, 100, SB_LINEUP, 0, 20},
      {0, 20, 100, MAKEWPARAM(SB_THUMBTRACK, 95), 79, 99},  // clamped to the end
      {5, 25, 100, SB_PAGEUP, 0, 25},                       // clamped to the top, L kept
      {70, 90, 100, SB_PAGEDOWN, 79, 99},
      {10, 20, 100, MAKEWPARAM(SB_THUMBTRACK, 40), 40, 50},
      {0, 20, 10, SB_LINEDOWN, 0, 20},  // fewer lines than a page: stays at the top
      {0, 0, 0, SB_PAGEDOWN, 0, 0},
  };
  for (const auto& c : cases) {
    scrollRecord(c.first, c.last, c.count);
    markScrollBar();
    const int paints = wt::procLog().paints;
    ZK_ContextSetIntl("caller", "ZK_Caller");
    EXPECT_EQ(ZK_WindowMessageAuto(WM_VSCROLL, c.request), 0);
    wt::expectContext("caller", "ZK_Caller");
    const WindowRecord record = ZK_WindowLookupIntl("Main");
    EXPECT_EQ(record.firstLine, c.wantFirst) << c.first << " " << c.request;
    EXPECT_EQ(record.lastLine, c.wantLast) << c.first << " " << c.request;
    const SCROLLINFO bar = readScrollBar();
    if (c.wantFirst != c.first) {
      EXPECT_EQ(bar.nPos, c.wantFirst);
      EXPECT_EQ(bar.nMax, c.count - 1);
      EXPECT_EQ(bar.nPage, static_cast<UINT>(c.wantLast - c.wantFirst + 1));
      EXPECT_GT(wt::procLog().paints, paints);  // repainted at once
    } else {
      EXPECT_EQ(bar.nMax, 42);  // untouched
      EXPECT_EQ(wt::procLog().paints, paints);
    }
  }
  EXPECT_TRUE(wt::reported().empty());
}

TEST(VerticalScroll, UnchangedFirstLineNeitherUpdatesTheBarNorRepaints) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  for (WPARAM request : {WPARAM(SB_LINEUP), WPARAM(SB_THUMBPOSITION), WPARAM(SB_TOP),
                         WPARAM(SB_BOTTOM), WPARAM(SB_ENDSCROLL), MAKEWPARAM(SB_THUMBTRACK, 0)}) {
    scrollRecord(0, 20, 100);
    markScrollBar();
    wt::pump();
    ValidateRect(wt::mainHwnd(), nullptr);
    const int paints = wt::procLog().paints;
    EXPECT_EQ(ZK_WindowMessageAuto(WM_VSCROLL, request), 0);
    EXPECT_EQ(ZK_WindowLookupIntl("Main").firstLine, 0);
    EXPECT_EQ(ZK_WindowLookupIntl("Main").lastLine, 20);
    EXPECT_EQ(readScrollBar().nMax, 42) << request;
    EXPECT_EQ(readScrollBar().nPos, 7) << request;
    EXPECT_FALSE(GetUpdateRect(wt::mainHwnd(), nullptr, FALSE)) << request;
    EXPECT_EQ(wt::procLog().paints, paints);
  }
}

TEST(PaintBracket, StatusesAndCurrentWindow) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  ZK_ContextSetIntl("caller", "ZK_Caller");
  EXPECT_EQ(ZK_WindowSelect("nobody"), 4);
  wt::expectContext("nobody", "ZK_WindowSelect");
  EXPECT_EQ(ZK_WindowCurrentIntl(), "Main");          // unchanged by the failure
  EXPECT_EQ(ZK_WindowStateIntl().paint.dc, nullptr);  // BeginPaint was not called

  ZK_WindowCurrentSetIntl("nobody");
  EXPECT_EQ(ZK_WindowRelease(), 4);
  wt::expectContext("", "ZK_WindowRelease");
  EXPECT_EQ(ZK_WindowRedrawIntl(), 4);
  ZK_WindowCurrentSetIntl("Main");
  EXPECT_EQ(wt::reported(), (std::vector<int>{4, 4, 4}));

  // A real paint leaves the caller's context in place.
  ZK_ContextSetIntl("caller", "ZK_Caller");
  wt::paintNow();
  EXPECT_EQ(wt::procLog().selectStatus, 0);
  EXPECT_EQ(wt::procLog().releaseStatus, 0);
  wt::expectContext("caller", "ZK_Caller");
}

TEST(PaintBracket, ReleaseShowsTheBarOnceWhenScrollingIsWanted) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  WindowRecord record = ZK_WindowLookupIntl("Main");
  record.scrollEnabled = true;
  // Scrolled away from the top, so the WM_SIZE that showing the bar causes keeps it.
  record.firstLine = 3;
  record.lastLine = 12;
  ZK_WindowStoreIntl("Main", record);
  ShowScrollBar(wt::mainHwnd(), SB_VERT, FALSE);
  markScrollBar();
  const int paints = wt::procLog().paints;
  wt::paintNow();
  EXPECT_EQ(wt::procLog().releaseStatus, 0);
  EXPECT_TRUE(ZK_WindowLookupIntl("Main").scrollBarShown);
  EXPECT_NE(GetWindowLongA(wt::mainHwnd(), GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(readScrollBar().nPos, 0);
  EXPECT_GE(wt::procLog().paints, paints + 2);  // the paint, then the repaint it asked for

  // Once shown, later paints leave the bar alone.
  markScrollBar();
  wt::paintNow();
  EXPECT_EQ(readScrollBar().nMax, 42);
}

namespace {
BOOL WINAPI clientRectRefused(HWND, RECT*) {
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return FALSE;
}
}  // namespace

TEST(PaintBracket, FailedReleaseStillEndsThePaintAndGivesItsFontBack) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), 0);
  const long objects = ZK_GdiCountIntl();
  {
    support::ImportPatch patch("user32.dll", "GetClientRect",
                               reinterpret_cast<const void*>(clientRectRefused));
    ASSERT_TRUE(patch.active());
    wt::paintNow();
  }
  EXPECT_EQ(wt::procLog().selectStatus, 0);
  EXPECT_EQ(wt::procLog().releaseStatus, 1005);
  EXPECT_EQ(ZK_WindowStateIntl().paint.dc, nullptr);
  EXPECT_EQ(ZK_WindowStateIntl().fonts.empty(), true);
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
  ASSERT_EQ(wt::reportTexts().size(), 1u);
  EXPECT_EQ(wt::systemErrorOf(wt::reportTexts()[0]), ERROR_INVALID_WINDOW_HANDLE);

  // The paint was ended: nothing is left to paint, and the next paint goes as usual.
  EXPECT_FALSE(GetUpdateRect(wt::mainHwnd(), nullptr, FALSE));
  wt::paintNow();
  EXPECT_EQ(wt::procLog().releaseStatus, 0);
  EXPECT_EQ(ZK_GdiCountIntl(), objects);
  EXPECT_EQ(wt::reported(), std::vector<int>{1005});
}
