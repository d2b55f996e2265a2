// Event sequences of forms: every call of the event procedure is recorded and the whole sequence
// compared, with a separator between the actions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::mark;
using form_test::recorder;
using form_test::Reports;
using form_test::take;
using form_test::Toolkit;
using Sequence = std::vector<std::string>;

// A form "fiche" with two edit fields, an OK and a CANCEL button.
void declareFiche() {
  ASSERT_EQ(ZK_FormItemAdd("fiche", "nom", ZK_EDIT, 1, 10, 10, 120, 22, "remark=Votre nom"), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "prenom", ZK_EDIT, 2, 10, 40, 120, 22, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ok", ZK_BUTTON, 3, 10, 70, 60, 24, "button=ok"), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "annuler", ZK_BUTTON, 4, 80, 70, 60, 24, "button=Cancel"), 0);
}

void openFiche(const std::string& properties = "") {
  declareFiche();
  ASSERT_EQ(ZK_FormCreate("fiche", properties, 10, 10, 300, 200, form_test::recordEvent), 0);
}

// closedBy as the event procedure sees it at FORMCLOSE.
std::string closedByAtFormClose;
void watchClosedBy() {
  recorder().action = [](const std::string& event, HWND) {
    if (event == ZK_FORMCLOSE) closedByAtFormClose = ZK_WindowLookupIntl("fiche").closedBy;
  };
}

TEST(FormEvents, OpeningPassesTheFirstItemWithoutAControl) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  // Key order: fiche.annuler comes first and has no control while the dialog initialises. The
  // placement shows and activates the dialog, which gives its first field the focus.
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.annuler WM_INITDIALOG",
                              "FORMOPENBEF fiche.annuler WM_INITDIALOG",
                              "BEFORE fiche.nom WM_COMMAND/EN_SETFOCUS",
                              "FORMOPENAFT fiche.annuler WM_INITDIALOG"}));
  for (const char* item : {"nom", "prenom", "ok", "annuler"})
    EXPECT_NE(controlOf("fiche", item), nullptr);
  EXPECT_EQ(GetFocus(), controlOf("fiche", "nom"));
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").hwnd, dialogOf("fiche"));
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, OpeningAFormWithoutItemsPassesNoItem) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormCreate("vide", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  EXPECT_EQ(take(), (Sequence{"BEFORE vide. WM_INITDIALOG", "FORMOPENBEF vide. WM_INITDIALOG",
                              "FORMOPENAFT vide. WM_INITDIALOG"}));
}

TEST(FormEvents, ClosingByTheCloseBox) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  watchClosedBy();
  HWND dialog = dialogOf("fiche");
  HWND statusBar = ZK_WindowLookupIntl("fiche").statusBarHwnd;
  take();
  mark("close box");
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(take(),
            (Sequence{"--- close box", "BEFORE fiche. WM_SYSCOMMAND",
                      "FORMCLOSE fiche. WM_SYSCOMMAND", "BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                      "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS"}));
  EXPECT_EQ(closedByAtFormClose, "CLOSE");
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(IsWindow(statusBar));
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "");
  // Closed, not forgotten: the record and the items stay until ZK_FormClose.
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").hwnd, dialog);
  EXPECT_EQ(ZK_FormItemGet("fiche", "nom").kind, ZK_EDIT);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, ClosingByTheOkAndCancelButtons) {
  Reports reports;
  Toolkit toolkit;
  struct Case {
    const char* button;
    const char* closedBy;
  };
  for (const Case& c : {Case{"ok", "OK"}, Case{"annuler", "CANCEL"}}) {
    SCOPED_TRACE(c.button);
    openFiche();
    watchClosedBy();
    HWND dialog = dialogOf("fiche");
    take();
    mark(c.button);
    SendMessageA(controlOf("fiche", c.button), BM_CLICK, 0, 0);
    const std::string item = c.button;
    EXPECT_EQ(take(), (Sequence{"--- " + item, "BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                                "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS",
                                "BEFORE fiche." + item + " WM_COMMAND/CLICKED",
                                "BEFORE fiche. WM_SYSCOMMAND", "FORMCLOSE fiche. WM_SYSCOMMAND"}));
    EXPECT_EQ(closedByAtFormClose, c.closedBy);
    EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, c.closedBy);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_EQ(ZK_FormClose("fiche"), 0);
  }
  EXPECT_EQ(reports.count(), 0u);
}

// Keys go through the dialog manager, as the message loop hands them to the active form.
void pressKey(HWND dialog, HWND control, WPARAM key) {
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

TEST(FormEvents, EnterEscapeAndAPlainCloseLeaveTheFormOpen) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  HWND dialog = dialogOf("fiche");
  HWND nom = controlOf("fiche", "nom");
  form_test::type(nom, "Dupont");
  take();
  mark("enter");
  pressKey(dialog, nom, VK_RETURN);
  mark("escape");
  pressKey(dialog, nom, VK_ESCAPE);
  mark("close");
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  form_test::pump();
  // Commands that come from no item do nothing: only the close box and the OK and CANCEL items
  // close a form. (The field's own focus events are left out: another test program's window may
  // take the activation meanwhile.)
  Sequence seen;
  for (const std::string& event : take())
    if (event.find("fiche.nom") == std::string::npos) seen.push_back(event);
  EXPECT_EQ(seen, (Sequence{"--- enter", "BEFORE fiche. WM_COMMAND/CLICKED", "--- escape",
                            "BEFORE fiche. WM_COMMAND/CLICKED", "--- close",
                            "BEFORE fiche. WM_COMMAND/CLICKED"}));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(form_test::textOf(nom), "Dupont");
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, "");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, FormCloseVetoKeepsTheFormOpen) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  recorder().answers[ZK_FORMCLOSE] = 7;
  HWND dialog = dialogOf("fiche");
  take();
  mark("close box");
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  mark("ok");
  SendMessageA(controlOf("fiche", "ok"), BM_CLICK, 0, 0);
  EXPECT_EQ(
      take(),
      (Sequence{"--- close box", "BEFORE fiche. WM_SYSCOMMAND", "FORMCLOSE fiche. WM_SYSCOMMAND",
                "--- ok", "BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS", "BEFORE fiche.ok WM_COMMAND/CLICKED",
                "BEFORE fiche. WM_SYSCOMMAND", "FORMCLOSE fiche. WM_SYSCOMMAND"}));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindow(ZK_WindowLookupIntl("fiche").statusBarHwnd));
  // The veto's result is the dialog procedure's answer, and closedBy is not reset.
  EXPECT_EQ(ZK_FormProcIntl(dialog, WM_SYSCOMMAND, SC_CLOSE, 0), 7);
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, "OK");
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "fiche");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, FormOpenBeforeRefusedLeavesABareDialog) {
  Reports reports;
  Toolkit toolkit;
  recorder().answers[ZK_FORMOPENBEF] = 1;
  openFiche();
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.annuler WM_INITDIALOG",
                              "FORMOPENBEF fiche.annuler WM_INITDIALOG"}));
  HWND dialog = dialogOf("fiche");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").statusBarHwnd, nullptr);
  for (const char* item : {"nom", "prenom", "ok", "annuler"})
    EXPECT_EQ(controlOf("fiche", item), nullptr);
  // Not placed: the record keeps the requested placement but the window is where the template put
  // it.
  RECT frame = {};
  GetWindowRect(dialog, &frame);
  EXPECT_NE(frame.right - frame.left, 300);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, BeforeTakesTheDialogOver) {
  Reports reports;
  Toolkit toolkit;
  recorder().takeOver = true;
  openFiche();
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.annuler WM_INITDIALOG"}));
  HWND dialog = dialogOf("fiche");
  EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
  mark("close box");
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  // No item has a control, so the first in key order is the one whose control is lParam (0).
  EXPECT_EQ(take(), (Sequence{"--- close box", "BEFORE fiche.annuler WM_SYSCOMMAND"}));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, "");
  EXPECT_EQ(ZK_FormProcIntl(dialog, WM_INITDIALOG, 0, 0), 1);
  EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
  recorder().takeOver = false;
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, LeavingAChangedEditRaisesChangeThenExit) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  HWND nom = controlOf("fiche", "nom");
  take();
  mark("type");
  form_test::type(nom, "Dupont");
  mark("tab");
  SetFocus(controlOf("fiche", "prenom"));
  mark("back");
  SetFocus(nom);
  mark("leave unchanged");
  SetFocus(controlOf("fiche", "prenom"));
  EXPECT_EQ(take(), (Sequence{"--- type", "--- tab", "BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMCHG fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.prenom WM_COMMAND/EN_SETFOCUS", "--- back",
                              "BEFORE fiche.prenom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.prenom WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.nom WM_COMMAND/EN_SETFOCUS", "--- leave unchanged",
                              "BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.prenom WM_COMMAND/EN_SETFOCUS"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "nom").field.text, "Dupont");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, ChangeEventResultStopsTheExit) {
  Reports reports;
  Toolkit toolkit;
  openFiche();
  recorder().answers[ZK_ITEMCHG] = 5;
  HWND nom = controlOf("fiche", "nom");
  form_test::type(nom, "x");
  take();
  SetFocus(controlOf("fiche", "prenom"));
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMCHG fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.prenom WM_COMMAND/EN_SETFOCUS"}));
  // The handler's result is the event's.
  const WPARAM exit = MAKEWPARAM(GetDlgCtrlID(nom), EN_KILLFOCUS);
  SetWindowTextA(nom, "y");
  EXPECT_EQ(ZK_FormCommandIntl({dialogOf("fiche"), WM_COMMAND, exit, reinterpret_cast<LPARAM>(nom),
                                "fiche", "nom"}),
            5);
}

TEST(FormEvents, ComboSelectionChangeRaisesChangeThenExit) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ville", ZK_COMBOSYS, 1, 10, 10, 120, 100,
                           "value1=Paris;value2=Lyon;value3=Nice"),
            0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "editable", ZK_COMBOSYS, 2, 10, 40, 120, 100,
                           "edit=yes;value1=Rouge;value2=Vert"),
            0);
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  HWND ville = controlOf("fiche", "ville");
  SetFocus(ville);
  take();
  mark("down");
  SendMessageA(ville, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(take(), (Sequence{"--- down", "BEFORE fiche.ville WM_COMMAND/CBN_SELCHANGE",
                              "ITEMCHG fiche.ville WM_COMMAND/CBN_SELCHANGE",
                              "ITEMEXIT fiche.ville WM_COMMAND/CBN_SELCHANGE"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "ville").field.text, "Lyon");
  // Picking the first entry back within the same visit is a change as well.
  mark("up");
  SendMessageA(ville, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(take(), (Sequence{"--- up", "BEFORE fiche.ville WM_COMMAND/CBN_SELCHANGE",
                              "ITEMCHG fiche.ville WM_COMMAND/CBN_SELCHANGE",
                              "ITEMEXIT fiche.ville WM_COMMAND/CBN_SELCHANGE"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "ville").field.text, "Paris");

  // An editable combo box still shows its old text at the change: the new entry is what counts.
  HWND editable = controlOf("fiche", "editable");
  SetFocus(editable);
  SendMessageA(editable, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(ZK_FormItemGet("fiche", "editable").field.text, "Vert");
  EXPECT_EQ(form_test::textOf(editable), "Vert");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, ClicksOnButtonsAndCheckItems) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "action", ZK_BUTTON, 1, 10, 10, 80, 24, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "systeme", ZK_BUTTONSYS, 2, 100, 10, 80, 24, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "coche", ZK_CHECK, 3, 10, 40, 20, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "case", ZK_CHECKSYS, 4, 40, 40, 20, 20, "check=yes"), 0);
  ASSERT_EQ(ZK_FormCreate("fiche", "stbar=no", 10, 10, 300, 200, form_test::recordEvent), 0);
  take();
  for (const char* item : {"action", "systeme", "coche", "case"}) {
    mark(item);
    SendMessageA(controlOf("fiche", item), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(
      take(),
      (Sequence{"--- action", "BEFORE fiche.action WM_COMMAND/CLICKED",
                "ITEMCLIC fiche.action WM_COMMAND/CLICKED", "--- systeme",
                "BEFORE fiche.systeme WM_COMMAND/SETFOCUS6",
                "BEFORE fiche.systeme WM_COMMAND/CLICKED", "--- coche",
                "BEFORE fiche.coche WM_COMMAND/SETFOCUS6", "BEFORE fiche.coche WM_COMMAND/CLICKED",
                "ITEMCHG fiche.coche WM_COMMAND/CLICKED", "--- case",
                "BEFORE fiche.case WM_COMMAND/SETFOCUS6", "BEFORE fiche.case WM_COMMAND/CLICKED",
                "ITEMCHG fiche.case WM_COMMAND/CLICKED"}));
  EXPECT_TRUE(ZK_FormItemGet("fiche", "coche").field.checkState);
  EXPECT_FALSE(ZK_FormItemGet("fiche", "case").field.checkState);
  EXPECT_EQ(SendMessageA(controlOf("fiche", "case"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(controlOf("fiche", "coche"), BM_CLICK, 0, 0);
  EXPECT_FALSE(ZK_FormItemGet("fiche", "coche").field.checkState);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, ClickResultsWithAndWithoutAnEventProcedure) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "action", ZK_BUTTON, 1, 10, 10, 80, 24, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "coche", ZK_CHECK, 2, 10, 40, 20, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "systeme", ZK_BUTTONSYS, 3, 100, 10, 80, 24, ""), 0);
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  HWND dialog = dialogOf("fiche");
  auto click = [&](const char* item) {
    HWND control = controlOf("fiche", item);
    return ZK_FormCommandIntl({dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                               reinterpret_cast<LPARAM>(control), "fiche", item});
  };
  EXPECT_EQ(click("action"), 1);
  EXPECT_EQ(click("coche"), 1);
  EXPECT_EQ(click("systeme"), 0);
  recorder().answers[ZK_ITEMCLIC] = 3;
  recorder().answers[ZK_ITEMCHG] = 4;
  EXPECT_EQ(click("action"), 3);
  EXPECT_EQ(click("coche"), 4);
  // Without an event procedure: no event, result 0, and the check state still follows.
  WindowRecord record = ZK_WindowLookupIntl("fiche");
  record.callback = nullptr;
  ZK_WindowStoreIntl("fiche", record);
  const bool before = ZK_FormItemGet("fiche", "coche").field.checkState;
  take();
  EXPECT_EQ(click("action"), 0);
  EXPECT_EQ(click("coche"), 0);
  EXPECT_NE(ZK_FormItemGet("fiche", "coche").field.checkState, before);
  EXPECT_TRUE(take().empty());
  // Notifications that are neither focus nor click are left alone.
  HWND control = controlOf("fiche", "action");
  EXPECT_EQ(ZK_FormCommandIntl({dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), EN_CHANGE),
                                reinterpret_cast<LPARAM>(control), "fiche", "action"}),
            0);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, ControlsFollowOrderNumbersUpToTheFirstGap) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("f", "a", ZK_EDIT, 1, 10, 10, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("f", "b", ZK_EDIT, 2, 10, 40, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("f", "d", ZK_EDIT, 4, 10, 70, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("f", "z", ZK_EDIT, 0, 10, 100, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("g", "y", ZK_EDIT, 2, 10, 10, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("g", "x", ZK_EDIT, 1, 10, 40, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("g", "w2", ZK_EDIT, 3, 10, 70, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormItemAdd("g", "w1", ZK_EDIT, 3, 10, 100, 80, 20, ""), 0);
  ASSERT_EQ(ZK_FormCreate("f", "stbar=no", 10, 10, 300, 200, nullptr), 0);
  ASSERT_EQ(ZK_FormCreate("g", "stbar=no", 10, 10, 300, 200, nullptr), 0);
  EXPECT_NE(controlOf("f", "a"), nullptr);
  EXPECT_NE(controlOf("f", "b"), nullptr);
  EXPECT_EQ(controlOf("f", "d"), nullptr);
  EXPECT_EQ(controlOf("f", "z"), nullptr);
  EXPECT_EQ(ZK_FormItemGet("f", "b").controlId, 103);
  // Tab order is creation order: x, y, then w1 (first of the two numbered 3 in key order).
  HWND g = dialogOf("g");
  EXPECT_EQ(GetNextDlgTabItem(g, controlOf("g", "x"), FALSE), controlOf("g", "y"));
  EXPECT_EQ(GetNextDlgTabItem(g, controlOf("g", "y"), FALSE), controlOf("g", "w1"));
  EXPECT_EQ(controlOf("g", "w2"), nullptr);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormEvents, StatusBarFollowsTheDialogsSize) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormCreate("avec", "", 10, 10, 300, 200, nullptr), 0);
  ASSERT_EQ(ZK_FormCreate("sans", "stbar=no", 10, 10, 300, 200, nullptr), 0);
  HWND dialog = dialogOf("avec");
  HWND bar = ZK_WindowLookupIntl("avec").statusBarHwnd;
  for (int width : {420, 260}) {
    MoveWindow(dialog, 20, 20, width, 240, TRUE);
    RECT client = {};
    RECT barRect = {};
    GetClientRect(dialog, &client);
    GetWindowRect(bar, &barRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.right - barRect.left, client.right);
    EXPECT_EQ(barRect.bottom, client.bottom);
  }
  EXPECT_EQ(ZK_FormProcIntl(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100)), 1);
  HWND sans = dialogOf("sans");
  EXPECT_EQ(GetWindow(sans, GW_CHILD), nullptr);
  EXPECT_EQ(ZK_FormProcIntl(sans, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100)), 0);
  EXPECT_EQ(ZK_FormProcIntl(sans, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(200, 100)), 0);
  EXPECT_EQ(ZK_FormProcIntl(sans, WM_ACTIVATE, WA_INACTIVE, 0), 0);
  EXPECT_EQ(ZK_FormProcIntl(sans, WM_CTLCOLORDLG, 0, 0),
            reinterpret_cast<INT_PTR>(ZK_WindowLookupIntl("sans").backBrush));
  EXPECT_EQ(reports.count(), 0u);
}

// DWLP_USER is the application's by Win32 convention: an event procedure that keeps its own
// pointer there has a form that works and closes as any, and finds its value untouched.
TEST(FormEvents, ApplicationsDialogUserDataIsLeftToIt) {
  Reports reports;
  Toolkit toolkit;
  static LONG_PTR atClose = 0;
  constexpr LONG_PTR kMine = 0x5A5A5A;
  recorder().action = [](const std::string& event, HWND dialog) {
    if (event == ZK_FORMOPENAFT) SetWindowLongPtrA(dialog, DWLP_USER, kMine);
    if (event == ZK_FORMCLOSE) atClose = GetWindowLongPtrA(dialog, DWLP_USER);
  };
  openFiche();
  HWND dialog = dialogOf("fiche");
  EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), kMine);
  take();
  form_test::type(controlOf("fiche", "nom"), "x");  // the first field has the focus
  SendMessageA(controlOf("fiche", "ok"), BM_CLICK, 0, 0);
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMCHG fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.ok WM_COMMAND/CLICKED", "BEFORE fiche. WM_SYSCOMMAND",
                              "FORMCLOSE fiche. WM_SYSCOMMAND"}));
  EXPECT_EQ(atClose, kMine);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, "OK");
  EXPECT_EQ(ZK_FormClose("fiche"), ZK_OK);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
