// Validation and the program's other windows: a refused field holds the focus within its own form
// only. Leaving for the main window, a message box (the toolkit's error box too) or another form,
// the focus stays where the user sent it; the refusal waits, and the refused field takes the
// focus back, saying why, when the user comes back to the form. Serial: the tests need the
// desktop's foreground and its keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "form_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::pump;
using form_test::statusText;
using form_test::take;
using form_test::Toolkit;
using Sequence = std::vector<std::string>;

constexpr char kRequired[] = "Saisie obligatoire";

// A form with a required field and a plain one after it, active, the focus in the required one.
void openFiche(const std::string& properties = "") {
  ASSERT_EQ(ZK_FormItemAdd("fiche", "nom", ZK_EDIT, 1, 10, 10, 150, 22, "notnull=yes;remark=Nom"),
            0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ville", ZK_EDIT, 2, 10, 40, 150, 22, "remark=Ville"), 0);
  ASSERT_EQ(ZK_FormCreate("fiche", properties, 10, 10, 300, 200, form_test::recordEvent), 0);
  SetForegroundWindow(GetAncestor(dialogOf("fiche"), GA_ROOT));
  SetFocus(controlOf("fiche", "nom"));
  pump();
  ASSERT_EQ(GetFocus(), controlOf("fiche", "nom"));
}

HWND nom() {
  return controlOf("fiche", "nom");
}

std::string waiting() {
  return ZK_WindowLookupIntl("fiche").statusMessage;
}

const Sequence kLeftOnce{"BEFORE fiche.nom WM_COMMAND/EN_KILLFOCUS",
                         "ITEMEXIT fiche.nom WM_COMMAND/EN_KILLFOCUS"};

TEST(FormFocus, MainWindowKeepsTheFocusAndTheRefusalWaitsForTheReturn) {
  form_test::Reports reports;
  Toolkit toolkit;
  openFiche();
  take();
  SetFocus(toolkit.main());  // the user clicks the main window
  pump();
  EXPECT_EQ(GetActiveWindow(), toolkit.main());
  EXPECT_EQ(GetFocus(), toolkit.main());
  EXPECT_EQ(take(), kLeftOnce);
  EXPECT_EQ(waiting(), kRequired);

  // Back to the form: the refused field has the focus again and the status bar says why.
  SetActiveWindow(dialogOf("fiche"));
  pump();
  EXPECT_EQ(GetFocus(), nom());
  EXPECT_EQ(statusText("fiche"), kRequired);

  // Filled in, it lets the focus go anywhere.
  form_test::type(nom(), "Martin");
  SetFocus(toolkit.main());
  SetActiveWindow(dialogOf("fiche"));
  SetFocus(controlOf("fiche", "ville"));
  pump();
  EXPECT_EQ(GetFocus(), controlOf("fiche", "ville"));
  EXPECT_EQ(statusText("fiche"), "Ville");
  EXPECT_EQ(reports.count(), 0u);
}

// An editable combo box's text is a control of its own: leaving it for the main window is
// leaving the form too.
TEST(FormFocus, EditableComboBoxLeftForTheMainWindowLetsTheFocusGo) {
  form_test::Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "liste", ZK_COMBOSYS, 1, 10, 10, 150, 100,
                           "edit=true;notnull=yes;value1=Lyon;value2=Nantes"),
            0);
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  HWND liste = controlOf("fiche", "liste");
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(liste, &info));
  ASSERT_NE(info.hwndItem, nullptr);
  SetForegroundWindow(dialogOf("fiche"));
  SetFocus(info.hwndItem);
  SetWindowTextA(info.hwndItem, "");
  pump();
  SetFocus(toolkit.main());
  pump();
  EXPECT_EQ(GetFocus(), toolkit.main());
  EXPECT_EQ(waiting(), kRequired);
  SetActiveWindow(dialogOf("fiche"));
  pump();
  EXPECT_EQ(GetAncestor(GetFocus(), GA_PARENT), liste);
  EXPECT_EQ(statusText("fiche"), kRequired);
  EXPECT_EQ(reports.count(), 0u);
}

// A form inside the main window (EDGE=false) gets no activation of its own: the user comes back
// to it through another of its items, and the refused field takes the focus from there.
TEST(FormFocus, BackThroughAnotherItemTheRefusedFieldTakesTheFocus) {
  form_test::Reports reports;
  Toolkit toolkit;
  openFiche("edge=false");
  SetFocus(toolkit.main());
  pump();
  EXPECT_EQ(GetFocus(), toolkit.main());
  take();
  SetFocus(controlOf("fiche", "ville"));
  pump();
  EXPECT_EQ(GetFocus(), nom());
  EXPECT_EQ(statusText("fiche"), kRequired);
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.ville WM_COMMAND/EN_SETFOCUS",
                              "BEFORE fiche.ville WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.ville WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.nom WM_COMMAND/EN_SETFOCUS"}));
  EXPECT_EQ(reports.count(), 0u);
}

// What a watcher thread sees of a box while it is up, and whether a key it types reaches it.
struct BoxSeen {
  bool found = false;
  bool inFront = false;      // the box is the foreground window
  bool hasFocus = false;     // the GUI thread's focus is in the box
  bool closedByKey = false;  // the key typed closed it
};

void typeKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

bool boxGone(HWND box, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (!IsWindow(box) || !IsWindowVisible(box)) return true;
    Sleep(50);
  }
  return false;
}

// Finds this process's box of that caption, reads the desktop from outside the GUI thread, types
// the key, and closes the box itself when the key did not (a buried box would wait forever).
std::thread watchBox(const char* caption, WORD key, DWORD guiThread, BoxSeen* seen) {
  return std::thread([=] {
    HWND box = nullptr;
    for (int attempt = 0; attempt < 200 && box == nullptr; ++attempt) {
      HWND found = FindWindowA("#32770", caption);
      DWORD process = 0;
      if (found != nullptr) GetWindowThreadProcessId(found, &process);
      if (found != nullptr && process == GetCurrentProcessId() && IsWindowVisible(found)) {
        box = found;
      } else {
        Sleep(50);
      }
    }
    if (box == nullptr) return;
    seen->found = true;
    // The focus settles once the box has its default button: give it a moment.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    for (int attempt = 0; attempt < 40; ++attempt) {
      GetGUIThreadInfo(guiThread, &info);
      seen->hasFocus = info.hwndFocus != nullptr && GetAncestor(info.hwndFocus, GA_ROOT) == box;
      if (seen->hasFocus) break;
      Sleep(50);
    }
    seen->inFront = GetForegroundWindow() == box;
    typeKey(key);
    seen->closedByKey = boxGone(box, 3000);
    if (!seen->closedByKey) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(FormFocus, MessageBoxesStayInFrontAndTakeTheKeys) {
  Toolkit toolkit;
  struct Case {
    const char* caption;
    WORD key;
    void (*show)();
  };
  const Case cases[] = {
      // The application's own box, owned by the main window.
      {"Attention", VK_RETURN, [] { ZK_MessageBox("Attention", "Bonjour"); }},
      // A box of no owner.
      {"Sans fen\xEAtre", VK_RETURN,
       [] { MessageBoxA(nullptr, "Bonjour", "Sans fen\xEAtre", MB_OK); }},
      // The toolkit's error box, answered No.
      {"Zarvik Error", 'N', [] { ZK_WindowMove("absente", 0, 0, 10, 10); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    openFiche();
    take();
    BoxSeen seen;
    std::thread watcher = watchBox(c.caption, c.key, GetCurrentThreadId(), &seen);
    c.show();  // while the required field is empty and has the focus
    watcher.join();
    EXPECT_TRUE(seen.found);
    EXPECT_TRUE(seen.inFront);
    EXPECT_TRUE(seen.hasFocus);
    EXPECT_TRUE(seen.closedByKey);
    // Left once for the box; the form may be activated again as it closes.
    const Sequence events = take();
    EXPECT_EQ(Sequence(events.begin(), events.begin() + std::min<std::size_t>(events.size(), 2)),
              kLeftOnce);
    // Back in the form, the refusal is told.
    SetActiveWindow(dialogOf("fiche"));
    pump();
    EXPECT_EQ(GetFocus(), nom());
    EXPECT_EQ(statusText("fiche"), kRequired);
    SendMessageA(dialogOf("fiche"), WM_SYSCOMMAND, SC_CLOSE, 0);
    ZK_FormClose("fiche");
  }
}

TEST(FormFocus, AnotherFormOpenedKeepsTheFocusAndTheTyping) {
  form_test::Reports reports;
  Toolkit toolkit;
  openFiche();
  take();
  ASSERT_EQ(ZK_FormItemAdd("autre", "champ", ZK_EDIT, 1, 10, 10, 150, 22, ""), 0);
  ASSERT_EQ(ZK_FormCreate("autre", "", 40, 40, 300, 200, nullptr), 0);
  pump();
  HWND other = controlOf("autre", "champ");
  EXPECT_EQ(GetActiveWindow(), dialogOf("autre"));
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(take(), kLeftOnce);
  typeKey('A');
  for (int waited = 0; waited < 2000 && form_test::textOf(other).empty(); waited += 50) {
    pump();
    Sleep(50);
  }
  EXPECT_EQ(form_test::textOf(other), "a");
  EXPECT_EQ(form_test::textOf(nom()), "");

  SendMessageA(dialogOf("autre"), WM_SYSCOMMAND, SC_CLOSE, 0);
  SetActiveWindow(dialogOf("fiche"));
  pump();
  EXPECT_EQ(GetFocus(), nom());
  EXPECT_EQ(statusText("fiche"), kRequired);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
