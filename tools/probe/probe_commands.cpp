// The driver's commands, one row each: by name (forms and items of a toolkit program, found by
// the names it gave them), and the older ones on "the open form" of the program whose main window
// is named Main, which the project's own end-to-end tests use.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <functional>

#include "probe.h"

namespace {
using Words = std::vector<std::wstring>;
constexpr DWORD kPollMs = 100;

void print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

int number(const std::wstring& word) {
  return _wtoi(word.c_str());
}

bool isNumber(const std::wstring& word) {
  if (word.empty()) return false;
  for (size_t i = word[0] == L'-' ? 1 : 0; i < word.size(); ++i)
    if (word[i] < L'0' || word[i] > L'9') return false;
  return word != L"-";
}

std::string utf8(const std::wstring& text) {
  return ProbeToUtf8(text);
}

// A control by "form.item", or, for the older commands, by identifier or window text on the
// open form.
ProbeResult resolve(const std::wstring& key, HWND* control) {
  if (key.find(L'.') != std::wstring::npos) {
    ProbeItem found;
    const ProbeResult result = ProbeFindItem(key, &found);
    *control = found.control;
    return result;
  }
  *control = ProbeControlByKey(key);
  if (*control != nullptr) return {};
  if (ProbeOpenForm() == nullptr) return ProbeFail(kProbeNotFound, "no form is open");
  return ProbeFail(kProbeNotFound, "the open form has no control " + ProbeQuoted(key));
}

std::string stateLine(HWND control) {
  HWND form = GetParent(control);
  return std::string("visible=") + (IsWindowVisible(control) ? "1" : "0") +
         " enabled=" + (IsWindowEnabled(control) ? "1" : "0") +
         " checked=" + (ProbeChecked(control) ? "1" : "0") +
         " focused=" + (ProbeFocused(form) == control ? "1" : "0");
}

std::string itemLine(const std::wstring& name, HWND control) {
  std::string line = "name=" + ProbeShown(name) + " class=" + ProbeClassName(control) +
                     " id=" + std::to_string(GetDlgCtrlID(control)) +
                     " text=" + ProbeQuoted(ProbeItemText(control)) + " " + stateLine(control);
  if (ProbeClassName(control) == WC_LISTVIEWA) {
    line += " rows=" + std::to_string(ProbeListRows(control)) +
            " columns=" + std::to_string(ProbeListColumns(control));
  }
  return line + " " + ProbeRectPairs(control);
}

// Repeats a look until it sees what is wanted or the waiting time is over. The look gives what it
// sees, or a failure (a form not open yet) that stands if the time runs out.
ProbeResult expectUntil(const std::string& what, const std::wstring& wanted,
                        const std::function<ProbeResult(std::wstring*)>& look) {
  const DWORD start = GetTickCount();
  for (;;) {
    std::wstring seen;
    const ProbeResult looked = look(&seen);
    if (looked.code == kProbeOk && seen == wanted) return {};
    ProbeResult ended;
    if (ProbeProgramEnded(&ended)) return ended;
    if (GetTickCount() - start >= ProbeStateGet().timeoutMs) {
      if (looked.code != kProbeOk) return looked;
      return ProbeFail(kProbeUnmet, what + ": expected " + ProbeQuoted(wanted) + ", got " +
                                        ProbeQuoted(seen) + " after " +
                                        std::to_string(ProbeStateGet().timeoutMs) + " ms");
    }
    Sleep(kPollMs);
  }
}

// Waits until found() holds; a failure of the code given when the time runs out.
ProbeResult waitFor(const std::function<bool()>& found, int code, const std::string& message) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (found()) return {};
    ProbeResult ended;
    if (ProbeProgramEnded(&ended)) return ended;
    if (GetTickCount() - start >= ProbeStateGet().timeoutMs)
      return ProbeFail(code,
                       message + " within " + std::to_string(ProbeStateGet().timeoutMs) + " ms");
    Sleep(kPollMs);
  }
}

// --- by name ------------------------------------------------------------------------------------

ProbeResult cmdStart(const Words& a) {
  return ProbeStart(a);
}

ProbeResult cmdTimeout(const Words& a) {
  if (!isNumber(a[0]) || number(a[0]) <= 0)
    return ProbeFail(kProbeUsage, "a waiting time is a number of milliseconds");
  ProbeStateGet().timeoutMs = static_cast<DWORD>(number(a[0]));
  return {};
}

ProbeResult cmdWaitWindow(const Words& a) {
  return waitFor([&] { return ProbeWindowByName(a[0]) != nullptr; }, kProbeTimeout,
                 "no window " + ProbeQuoted(a[0]) + " opened");
}

ProbeResult cmdWaitForm(const Words& a) {
  return waitFor([&] { return ProbeFormByName(a[0]) != nullptr; }, kProbeTimeout,
                 "form " + ProbeQuoted(a[0]) + " did not open");
}

ProbeResult cmdWaitClosed(const Words& a) {
  return waitFor([&] { return ProbeFormByName(a[0]) == nullptr; }, kProbeTimeout,
                 "form " + ProbeQuoted(a[0]) + " did not close");
}

ProbeResult cmdList(const Words& a) {
  HWND form = nullptr;
  const ProbeResult found = ProbeFindForm(a[0], &form);
  if (found.code != kProbeOk) return found;
  for (const auto& [name, control] : ProbeItemsOf(form, a[0])) print(itemLine(name, control));
  return {};
}

ProbeResult cmdFind(const Words& a) {
  ProbeItem item;
  const ProbeResult found = ProbeFindItem(a[0], &item);
  if (found.code == kProbeOk) print(itemLine(item.itemName, item.control));
  return found;
}

ProbeResult cmdText(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code == kProbeOk) print(ProbeShown(ProbeItemText(control)));
  return found;
}

ProbeResult cmdState(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code == kProbeOk) print(stateLine(control));
  return found;
}

ProbeResult cmdCell(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code == kProbeOk) print(ProbeShown(ProbeListCell(control, number(a[1]), number(a[2]))));
  return found;
}

ProbeResult statusOf(const Words& a, std::wstring* text) {
  HWND form = nullptr;
  if (a.empty()) {
    form = ProbeOpenForm();
    if (form == nullptr) return ProbeFail(kProbeNotFound, "no form is open");
  } else {
    const ProbeResult found = ProbeFindForm(a[0], &form);
    if (found.code != kProbeOk) return found;
  }
  if (!ProbeStatusText(form, text)) {
    // The older command read a form without a status bar as an empty text.
    if (a.empty()) return {};
    return ProbeFail(kProbeNotFound, "form " + ProbeQuoted(a[0]) + " has no status bar");
  }
  return {};
}

ProbeResult cmdStatus(const Words& a) {
  std::wstring text;
  const ProbeResult read = statusOf(a, &text);
  if (read.code == kProbeOk) print(ProbeShown(text));
  return read;
}

ProbeResult cmdType(const Words& a) {
  if (a.size() == 1) return ProbeTypeText(ProbeGiven(a[0]));
  ProbeItem item;
  const ProbeResult found = ProbeFindItem(a[0], &item);
  if (found.code != kProbeOk) return found;
  const ProbeResult focused = ProbeFocus(item);
  if (focused.code != kProbeOk) return focused;
  // The item's text is replaced: all of it selected first, as a user would.
  const bool multiLine = ProbeClassName(item.control) == "Edit" &&
                         (GetWindowLongW(item.control, GWL_STYLE) & ES_MULTILINE) != 0;
  const ProbeResult selected =
      ProbeKeys(multiLine ? Words{L"ctrl+Home", L"ctrl+shift+End"} : Words{L"Home", L"shift+End"});
  if (selected.code != kProbeOk) return selected;
  const std::wstring text = ProbeGiven(a[1]);
  return text.empty() ? ProbeKeys({L"Delete"}) : ProbeTypeText(text);
}

ProbeResult cmdKey(const Words& a) {
  return ProbeKeys(a);
}

ProbeResult cmdClick(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code != kProbeOk) return found;
  if (a.size() == 2) return ProbeFail(kProbeUsage, "a place in the item is given as DX DY");
  const ProbeResult clicked =
      ProbeClick(control, a.size() > 2 ? number(a[1]) : -1, a.size() > 2 ? number(a[2]) : -1);
  if (clicked.code != kProbeOk)
    return ProbeFail(clicked.code, "cannot click " + utf8(a[0]) + ": " + clicked.message);
  return {};
}

ProbeResult cmdShot(const Words& a) {
  RECT rect = {};
  if (a[0] != L"screen") {
    HWND window = ProbeFormByName(a[0]);
    if (window == nullptr) window = ProbeWindowByName(a[0]);
    if (window == nullptr)
      return ProbeFail(kProbeNotFound, "no open form or window named " + ProbeQuoted(a[0]));
    GetWindowRect(window, &rect);
  }
  return ProbeShot(rect, a[1]);
}

ProbeResult cmdExpectText(const Words& a) {
  return expectUntil(utf8(a[0]), ProbeGiven(a[1]), [&](std::wstring* seen) {
    HWND control = nullptr;
    const ProbeResult found = resolve(a[0], &control);
    if (found.code == kProbeOk) *seen = ProbeItemText(control);
    return found;
  });
}

ProbeResult cmdExpectState(const Words& a) {
  // The pairs asked, in the order given, against the same pairs as they are.
  std::wstring wanted;
  for (size_t i = 1; i < a.size(); ++i) {
    const size_t equals = a[i].find(L'=');
    const std::wstring key = a[i].substr(0, equals);
    if (equals == std::wstring::npos ||
        (key != L"visible" && key != L"enabled" && key != L"checked" && key != L"focused"))
      return ProbeFail(kProbeUsage, "a state is visible=, enabled=, checked= or focused=, not " +
                                        ProbeQuoted(a[i]));
    wanted += (i > 1 ? L" " : L"") + a[i];
  }
  return expectUntil(utf8(a[0]), wanted, [&](std::wstring* seen) {
    HWND control = nullptr;
    const ProbeResult found = resolve(a[0], &control);
    if (found.code != kProbeOk) return found;
    const std::wstring now = ProbeFromUtf8(stateLine(control));
    for (size_t i = 1; i < a.size(); ++i) {
      const std::wstring key = a[i].substr(0, a[i].find(L'=') + 1);
      const size_t at = now.find(key);
      *seen += (i > 1 ? L" " : L"") + now.substr(at, now.find(L' ', at) - at);
    }
    return found;
  });
}

ProbeResult cmdExpectItems(const Words& a) {
  std::wstring wanted;
  for (size_t i = 1; i < a.size(); ++i) wanted += (i > 1 ? L" " : L"") + a[i];
  return expectUntil("the items of " + utf8(a[0]), wanted, [&](std::wstring* seen) {
    HWND form = nullptr;
    const ProbeResult found = ProbeFindForm(a[0], &form);
    if (found.code != kProbeOk) return found;
    for (const auto& item : ProbeItemsOf(form, a[0]))
      *seen += (seen->empty() ? L"" : L" ") + item.first;
    return found;
  });
}

ProbeResult cmdExpectCell(const Words& a) {
  return expectUntil(utf8(a[0]) + " cell " + utf8(a[1]) + "," + utf8(a[2]), ProbeGiven(a[3]),
                     [&](std::wstring* seen) {
                       HWND control = nullptr;
                       const ProbeResult found = resolve(a[0], &control);
                       if (found.code == kProbeOk)
                         *seen = ProbeListCell(control, number(a[1]), number(a[2]));
                       return found;
                     });
}

ProbeResult cmdExpectStatus(const Words& a) {
  return expectUntil("the status bar of " + utf8(a[0]), ProbeGiven(a[1]),
                     [&](std::wstring* seen) { return statusOf({a[0]}, seen); });
}

ProbeResult cmdExpectExit(const Words& a) {
  if (!isNumber(a[0])) return ProbeFail(kProbeUsage, "an exit code is a number");
  DWORD code = 0;
  const ProbeResult ended = ProbeWaitExit(&code);
  if (ended.code != kProbeOk) return ended;
  if (static_cast<int>(code) != number(a[0]))
    return ProbeFail(kProbeUnmet, "the program ended with code " + std::to_string(code) +
                                      ", expected " + utf8(a[0]));
  return {};
}

// A message box's message is its static 0xFFFF.
constexpr int kBoxMessage = 0xFFFF;

std::string noBox(const std::wstring& caption) {
  return "no message box " + ProbeQuoted(caption) + " opened";
}

ProbeResult cmdExpectBox(const Words& a) {
  return expectUntil("the message box " + utf8(a[0]), ProbeGiven(a[1]), [&](std::wstring* seen) {
    HWND box = ProbeMessageBox(a[0]);
    if (box == nullptr)
      return ProbeFail(kProbeTimeout, noBox(a[0]) + " within " +
                                          std::to_string(ProbeStateGet().timeoutMs) + " ms");
    *seen = ProbeWindowText(GetDlgItem(box, kBoxMessage));
    return ProbeResult{};
  });
}

ProbeResult cmdAnswer(const Words& a) {
  HWND box = nullptr;
  const ProbeResult opened =
      waitFor([&] { return (box = ProbeMessageBox(a[0])) != nullptr; }, kProbeTimeout, noBox(a[0]));
  if (opened.code != kProbeOk) return opened;
  const std::wstring wanted = ProbeGiven(a[1]);
  std::wstring buttons;
  for (HWND child : ProbeChildren(box)) {
    if (lstrcmpiA(ProbeClassName(child).c_str(), "Button") != 0) continue;
    const std::wstring text = ProbeButtonText(child);
    if (text == wanted) {
      const ProbeResult clicked = ProbeClick(child, -1, -1);
      if (clicked.code != kProbeOk)
        return ProbeFail(clicked.code, "cannot click " + utf8(text) + ": " + clicked.message);
      return {};
    }
    buttons += (buttons.empty() ? L"" : L", ") + text;
  }
  return ProbeFail(kProbeNotFound, "the message box " + ProbeQuoted(a[0]) + " has no button " +
                                       ProbeQuoted(wanted) + " (its buttons: " + utf8(buttons) +
                                       ")");
}

// --- on the open form, for the project's own tests ---------------------------------------------

ProbeResult notFound(const char* what) {
  return ProbeFail(kProbeNotFound, what);
}

ProbeResult cmdWindows(const Words&) {
  for (HWND window : ProbeProgramWindows()) print(ProbeTopLevelLine("window", window));
  return {};
}

ProbeResult cmdMain(const Words&) {
  HWND window = ProbeMainWindow();
  if (window == nullptr) return notFound("no main window");
  print(ProbeTopLevelLine("main", window));
  return {};
}

ProbeResult cmdForm(const Words&) {
  HWND form = ProbeOpenForm();
  if (form == nullptr) return notFound("no form is open");
  print(ProbeTopLevelLine("form", form));
  for (HWND child : ProbeChildren(form)) print(ProbeChildLine(form, child));
  return {};
}

ProbeResult cmdItem(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code == kProbeOk) print(ProbeChildLine(GetParent(control), control));
  return found;
}

ProbeResult cmdRows(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code != kProbeOk) return found;
  const int columns = ProbeListColumns(control);
  const int first = number(a[1]);
  for (int row = first; row < first + number(a[2]); ++row) {
    std::wstring line;
    for (int column = 0; column < columns; ++column)
      line += (column ? L"|" : L"") + ProbeListCell(control, row, column);
    print(ProbeShown(line));
  }
  return {};
}

ProbeResult cmdClipboard(const Words&) {
  if (!OpenClipboard(nullptr)) return notFound("the clipboard cannot be opened");
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text != nullptr) print(ProbeShown(text));
  if (text != nullptr) GlobalUnlock(data);
  CloseClipboard();
  return text != nullptr ? ProbeResult{} : notFound("no text on the clipboard");
}

ProbeResult cmdFocus(const Words&) {
  HWND focus = ProbeFocused(ProbeOpenForm());
  if (focus == nullptr) return notFound("no control of the open form has the focus");
  print("focus id=" + std::to_string(GetDlgCtrlID(focus)) + " class=" + ProbeClassName(focus));
  return {};
}

// The desktop's foreground window, of any program, and where the keys go: the control with the
// focus in that window's thread, with the caption of the window that holds it.
ProbeResult cmdForeground(const Words&) {
  HWND window = GetForegroundWindow();
  if (window == nullptr) return notFound("no foreground window");
  print(ProbeTopLevelLine("foreground", window));
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
      info.hwndFocus != nullptr) {
    print("keys id=" + std::to_string(GetDlgCtrlID(info.hwndFocus)) + " class=" +
          ProbeClassName(info.hwndFocus) + " text=" + ProbeQuoted(ProbeWindowText(info.hwndFocus)) +
          " root=" + ProbeQuoted(ProbeWindowText(GetAncestor(info.hwndFocus, GA_ROOT))));
  }
  return {};
}

ProbeResult posted(HWND window, UINT message, const char* what) {
  if (window != nullptr && PostMessageW(window, message, 0, 0)) return {};
  return notFound(what);
}

ProbeResult cmdClose(const Words&) {
  return posted(ProbeOpenForm(), WM_CLOSE, "no form is open");
}

ProbeResult cmdCloseMain(const Words&) {
  return posted(ProbeMainWindow(), WM_CLOSE, "no main window");
}

ProbeResult cmdRedraw(const Words& a) {
  HWND control = nullptr;
  const ProbeResult found = resolve(a[0], &control);
  if (found.code != kProbeOk) return found;
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  return {};
}

ProbeResult cmdError(const Words&) {
  HWND box = ProbeBoxOf(L"Zarvik Error");
  if (box == nullptr) return notFound("no error report on screen");
  for (HWND child : ProbeChildren(box))
    if (lstrcmpiA(ProbeClassName(child).c_str(), "Static") == 0 && !ProbeWindowText(child).empty())
      print(ProbeShown(ProbeWindowText(child)));
  return {};
}

ProbeResult cmdBox(const Words& a) {
  // A message box's text is its static 0xFFFF.
  HWND box = ProbeBoxOf(a[0]);
  HWND message = box != nullptr ? GetDlgItem(box, 0xFFFF) : nullptr;
  if (message == nullptr) return notFound("no message box with that caption");
  print(ProbeShown(ProbeWindowText(message)));
  return {};
}

ProbeResult cmdPress(const Words& a) {
  HWND box = ProbeBoxOf(a[0]);
  HWND button = box != nullptr ? GetDlgItem(box, number(a[1])) : nullptr;
  return posted(button, BM_CLICK, "no such button in a message box with that caption");
}

ProbeResult cmdAccess(const Words&) {
  HWND form = ProbeOpenForm();
  if (form == nullptr) return notFound("no form is open");
  for (HWND child : ProbeChildren(form)) {
    // The item's name last, as on the lines of form: scripts pick a control by it.
    const std::wstring key = ProbeNameOf(child);
    print(ProbeAccessLine(child) + (key.empty() ? "" : " key=" + ProbeShown(key)));
  }
  return {};
}

// Name changes and live-region changes of the program's windows, as a screen reader hears them.
void CALLBACK onAccessEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                            DWORD) {
  if (object != OBJID_CLIENT || window == nullptr) return;
  const char* what = event == EVENT_OBJECT_NAMECHANGE ? "name-change" : "live-region";
  print(std::string("event ") + what + " " + ProbeAccessLine(window).substr(7));
}

ProbeResult cmdEvents(const Words& a) {
  const DWORD program = ProbeProcessOf(ProbeMainWindow());
  if (program == 0) return notFound("no main window");
  // EVENT_OBJECT_LIVEREGIONCHANGED (0x8019) is newer than MinGW's headers.
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, 0x8019, nullptr, onAccessEvent,
                                       program, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) return ProbeFail(kProbeInput, "no event hook");
  print("watching");
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(number(a[0]))) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  UnhookWinEvent(hook);
  return {};
}

ProbeResult cmdTerminate(const Words&) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, ProbeProcessOf(ProbeMainWindow()));
  if (process == nullptr) return notFound("no main window");
  const bool ended = TerminateProcess(process, 99) != 0;
  CloseHandle(process);
  return ended ? ProbeResult{} : ProbeFail(kProbeProgram, "the program could not be ended");
}

// One check of the older wait, true when it holds now.
bool holds(const Words& check) {
  const std::wstring& what = check[0];
  HWND form = ProbeOpenForm();
  if (what == L"has-main") return ProbeMainWindow() != nullptr;
  if (what == L"no-main") return ProbeMainWindow() == nullptr;
  if (what == L"has-form") return form != nullptr;
  if (what == L"no-form") return ProbeMainWindow() != nullptr && ProbeTopLevelForm() == nullptr;
  if (check.size() < 2) return false;
  if (what == L"foreground-is")
    return ProbeWindowText(GetForegroundWindow()) == ProbeGiven(check[1]);
  if (what == L"status-is") {
    std::wstring text;
    return form != nullptr && statusOf({}, &text).code == kProbeOk && text == ProbeGiven(check[1]);
  }
  HWND control = nullptr;
  if (resolve(check[1], &control).code != kProbeOk) return false;
  if (what == L"focus-is") return ProbeFocused(GetParent(control)) == control;
  if (check.size() < 3) return false;
  if (what == L"text-is") return ProbeWindowText(control) == ProbeGiven(check[2]);
  if (what == L"visible-is") return (IsWindowVisible(control) ? L"1" : L"0") == check[2];
  if (what == L"check-is") return SendMessageW(control, BM_GETCHECK, 0, 0) == number(check[2]);
  if (what == L"current-is") return ProbeListCurrent(control) == number(check[2]);
  if (what == L"editor-is") return (ProbeListEditor(control) != nullptr ? L"1" : L"0") == check[2];
  if (what == L"rows-is") return ProbeListRows(control) == number(check[2]);
  if (what == L"cell-is" && check.size() >= 5)
    return ProbeListCell(control, number(check[2]), number(check[3])) == ProbeGiven(check[4]);
  return false;
}

ProbeResult cmdWait(const Words& a) {
  const Words check(a.begin() + 1, a.end());
  const DWORD limit = static_cast<DWORD>(number(a[0]));
  const DWORD start = GetTickCount();
  for (;;) {
    if (holds(check)) return {};
    if (GetTickCount() - start >= limit)
      return ProbeFail(kProbeUnmet, "did not hold within " + utf8(a[0]) + " ms");
    Sleep(kPollMs);
  }
}

ProbeResult cmdHelp(const Words&) {
  ProbeUsage();
  return {};
}

struct Command {
  const wchar_t* name;
  size_t least;
  size_t most;
  const char* arguments;
  const char* help;
  ProbeResult (*run)(const Words&);
};

constexpr size_t kMany = 1000;

const Command kCommands[] = {
    {L"start", 1, kMany, "PROGRAM [ARG...]",
     "starts the program; a script then looks only at its windows", cmdStart},
    {L"timeout", 1, 1, "MS", "how long the waits and expectations after it wait", cmdTimeout},
    {L"wait-window", 1, 1, "NAME", "waits for a window of that toolkit name (or title)",
     cmdWaitWindow},
    {L"wait-form", 1, 1, "FORM", "waits for the form to open", cmdWaitForm},
    {L"wait-closed", 1, 1, "FORM", "waits for the form to close", cmdWaitClosed},
    {L"list", 1, 1, "FORM", "the form's items in creation order, one a line", cmdList},
    {L"find", 1, 1, "FORM.ITEM", "the item's line, as list gives it", cmdFind},
    {L"text", 1, 1, "FORM.ITEM", "the text the item shows", cmdText},
    {L"state", 1, 1, "FORM.ITEM", "visible=, enabled=, checked= and focused= of the item",
     cmdState},
    {L"cell", 3, 3, "FORM.ITEM ROW COLUMN", "the text of a grid's cell, from 0", cmdCell},
    {L"status", 0, 1, "[FORM]", "the text of the form's status bar", cmdStatus},
    {L"type", 1, 2, "[FORM.ITEM] TEXT",
     "replaces the item's text by typing TEXT with real keys; without an item, types at the focus",
     cmdType},
    {L"key", 1, kMany, "KEY...", "presses keys: Tab, Return, Escape, ctrl+a, shift+Tab, alt+f, F4",
     cmdKey},
    {L"click", 1, 3, "FORM.ITEM [DX DY]", "clicks the item in its middle (or DX, DY into it)",
     cmdClick},
    {L"shot", 2, 2, "FORM|WINDOW|screen FILE", "a screenshot, .png or .bmp", cmdShot},
    {L"expect-text", 2, 2, "FORM.ITEM TEXT", "waits until the item shows that text", cmdExpectText},
    {L"expect-state", 2, 5, "FORM.ITEM visible=0|1 enabled=0|1 checked=0|1 focused=0|1",
     "waits until the item is so (any of the four)", cmdExpectState},
    {L"expect-items", 2, kMany, "FORM ITEM...",
     "waits until the form's items are these, in creation order", cmdExpectItems},
    {L"expect-cell", 4, 4, "FORM.ITEM ROW COLUMN TEXT",
     "waits until the grid's cell shows that text", cmdExpectCell},
    {L"expect-status", 2, 2, "FORM TEXT", "waits until the form's status bar shows that text",
     cmdExpectStatus},
    {L"expect-box", 2, 2, "CAPTION TEXT",
     "waits until a message box of that caption shows that message", cmdExpectBox},
    {L"answer", 2, 2, "CAPTION BUTTON",
     "clicks the button of that text (without its &) in the message box of that caption",
     cmdAnswer},
    {L"expect-exit", 1, 1, "CODE", "waits for the started program to end with that exit code",
     cmdExpectExit},
    {L"help", 0, 0, "", "this list", cmdHelp},
    // The older commands, on the program whose main window is named Main (--main NAME).
    {L"windows", 0, 0, "", "the program's top-level windows", cmdWindows},
    {L"main", 0, 0, "", "its main window", cmdMain},
    {L"form", 0, 0, "", "the open form and its controls in creation order", cmdForm},
    {L"item", 1, 1, "ID|NAME|FORM.ITEM", "one control of the open form (a grid: rows, titles)",
     cmdItem},
    {L"rows", 3, 3, "ID|FORM.ITEM FIRST N", "N rows of a grid from FIRST, cells separated by |",
     cmdRows},
    {L"clipboard", 0, 0, "", "the clipboard's text", cmdClipboard},
    {L"focus", 0, 0, "", "the control with the keyboard focus", cmdFocus},
    {L"foreground", 0, 0, "",
     "the desktop's foreground window, and the control its keys go to (keys ... root=CAPTION)",
     cmdForeground},
    {L"close", 0, 0, "", "posts WM_CLOSE to the open form", cmdClose},
    {L"close-main", 0, 0, "", "posts WM_CLOSE to the main window", cmdCloseMain},
    {L"redraw", 1, 1, "ID|NAME|FORM.ITEM", "repaints one control, erasing it first", cmdRedraw},
    {L"error", 0, 0, "", "the text of a toolkit error report on screen", cmdError},
    {L"box", 1, 1, "CAPTION", "the message of the program's message box with that caption", cmdBox},
    {L"press", 2, 2, "CAPTION ID", "clicks the button ID of that message box", cmdPress},
    {L"access", 0, 0, "", "what an accessibility client reads of the open form's controls",
     cmdAccess},
    {L"events", 1, 1, "MS", "name and live-region changes of the program's controls for MS ms",
     cmdEvents},
    {L"terminate", 0, 0, "", "ends the program at once", cmdTerminate},
    {L"wait", 2, kMany, "MS CHECK...",
     "repeats a check until it holds: has-main, no-main, has-form, no-form, focus-is ID,\n"
     "                         foreground-is CAPTION, status-is TEXT, text-is ID TEXT,\n"
     "                         visible-is ID 0|1, check-is ID N, cell-is ID ROW COL TEXT,\n"
     "                         current-is ID ROW, editor-is ID 0|1, rows-is ID N",
     cmdWait},
};
}  // namespace

void ProbeUsage() {
  std::fputs(
      "usage: zarvik-probe [OPTION...] COMMAND [ARGUMENT...]\n"
      "       zarvik-probe [OPTION...] run SCRIPT   (one command a line; # starts a comment)\n"
      "options: --timeout MS (10000), --escape (\\xHH for bytes outside ASCII), --cp1252 (texts\n"
      "         in code page 1252, else UTF-8), --main NAME (the main window of the older\n"
      "         commands, Main)\n"
      "exit codes: 0 done, 1 an expectation unmet, 2 usage, 3 no such form or item, 4 timeout,\n"
      "            5 the program could not start or ended early, 6 input not possible\n",
      stdout);
  for (const Command& command : kCommands) {
    const std::string line = utf8(command.name) + " " + command.arguments;
    std::printf("  %-40s %s\n", line.c_str(), command.help);
  }
}

ProbeResult ProbeRun(const std::vector<std::wstring>& words) {
  if (words.empty()) return ProbeFail(kProbeUsage, "no command (zarvik-probe help lists them)");
  const Words arguments(words.begin() + 1, words.end());
  for (const Command& command : kCommands) {
    if (words[0] != command.name) continue;
    if (arguments.size() < command.least || arguments.size() > command.most)
      return ProbeFail(kProbeUsage,
                       "usage: " + utf8(command.name) + " " + std::string(command.arguments));
    return command.run(arguments);
  }
  return ProbeFail(kProbeUsage,
                   "unknown command " + ProbeQuoted(words[0]) + " (zarvik-probe help lists them)");
}
