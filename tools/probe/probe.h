// Internal interface of zarvik-probe, the test driver of programs built on the toolkit: it finds
// their forms and items by name from outside their process, drives them with real input and
// reads them back. Grouped by the file that defines each part.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// --- probe_main.cpp ----------------------------------------------------------------------------

// Exit codes, the same for one command and for a script.
enum ProbeCode {
  kProbeOk = 0,
  kProbeUnmet = 1,     // an expectation did not hold within the waiting time
  kProbeUsage = 2,     // an unknown command, wrong arguments, a script that cannot be read
  kProbeNotFound = 3,  // no open form, item or window of that name
  kProbeTimeout = 4,   // a form or window that never opened or closed, a program that never ended
  kProbeProgram = 5,   // the program under test could not start or ended before its time
  kProbeInput = 6,     // input that could not be given (a hidden item, the focus kept elsewhere)
};

// The outcome of a command: a code and, on failure, what a test's reader needs to know.
struct ProbeResult {
  int code = kProbeOk;
  std::string message;
};
ProbeResult ProbeFail(int code, const std::string& message);

// Everything the driver keeps while it runs.
struct ProbeState {
  UINT codePage = CP_UTF8;        // texts printed and \xHH escapes read in this code page
  bool escape = false;            // bytes outside printable ASCII printed as \xHH
  DWORD timeoutMs = 10000;        // how long waits and expectations wait
  std::string mainName = "Main";  // the main window's name, for the commands on "the open form"
  HANDLE program = nullptr;       // the program a script started, else null
  DWORD programId = 0;            // ... and its process id; 0: forms of every program are searched
  bool exitAwaited = false;       // the script waits for the program's end: it may end now
};
ProbeState& ProbeStateGet();

// --- probe_text.cpp ----------------------------------------------------------------------------

std::wstring ProbeFromUtf8(const std::string& text);
std::string ProbeToUtf8(const std::wstring& text);
// A text as printed: in the output code page, with '"', '\' and control characters (and, with
// --escape, every byte outside printable ASCII) written as \xHH.
std::string ProbeShown(const std::wstring& text);
// A text a test gives: each \xHH a byte of the output code page, the rest as written.
std::wstring ProbeGiven(const std::wstring& text);
std::string ProbeQuoted(const std::wstring& text);  // "text", as shown

// --- probe_find.cpp ----------------------------------------------------------------------------

std::string ProbeClassName(HWND window);
DWORD ProbeProcessOf(HWND window);
// Direct children, in the order the system keeps them (creation order for a dialog).
std::vector<HWND> ProbeChildren(HWND parent);
// The name a toolkit window tells of itself (a form's dialog: the form's name; an item's control:
// "form.item"), "" when it tells none.
std::wstring ProbeNameOf(HWND window);

struct ProbeForm {
  HWND dialog = nullptr;
  std::wstring name;
};
// The visible forms of the programs in scope (the started program's, else all): top-level and
// inside main windows.
std::vector<ProbeForm> ProbeOpenForms();
HWND ProbeFormByName(const std::wstring& name);
// A top-level window whose class (a toolkit window's name) or title is that name.
HWND ProbeWindowByName(const std::wstring& name);

// An item found by "form.item".
struct ProbeItem {
  HWND form = nullptr;
  HWND control = nullptr;
  std::wstring formName;
  std::wstring itemName;
};
// The item "form.item": its form open and its control there, else kProbeNotFound (or kProbeUsage
// for a name without a dot) with a message naming what exists.
ProbeResult ProbeFindItem(const std::wstring& key, ProbeItem* item);
ProbeResult ProbeFindForm(const std::wstring& name, HWND* form);
// The item names of an open form, in creation order, with their controls.
std::vector<std::pair<std::wstring, HWND>> ProbeItemsOf(HWND form, const std::wstring& formName);

// A message box of the programs in scope with that caption: a dialog that is not a form (the
// system's message box, a question box); its message is the static 0xFFFF.
HWND ProbeMessageBox(const std::wstring& caption);
// A button's text as read, without the "&" that marks its access key.
std::wstring ProbeButtonText(HWND button);

// The program's main window (its class is ProbeState::mainName) and its process's top-level
// windows, topmost first: the commands on "the open form" of the first probe work on these.
HWND ProbeMainWindow();
std::vector<HWND> ProbeProgramWindows();
// The open form: a top-level one nearest the top, else a borderless one inside the main window.
HWND ProbeOpenForm();
HWND ProbeTopLevelForm();
// A message box of the program with that caption.
HWND ProbeBoxOf(const std::wstring& caption);
// A control of the open form by its identifier (digits) or by its window text (a static's item
// name).
HWND ProbeControlByKey(const std::wstring& key);

// --- probe_read.cpp ----------------------------------------------------------------------------

std::wstring ProbeWindowText(HWND window);
// What a user reads on an item: the window text of a system control, the name the toolkit gives
// a control it draws itself (through the accessibility interface).
std::wstring ProbeItemText(HWND control);
// Checked: a system check box's state, or the toolkit-drawn one's as it tells it.
bool ProbeChecked(HWND control);
// The control with the keyboard focus in the window's thread (an edit inside a combo box counts
// as its combo box), if it is a child of parent.
HWND ProbeFocused(HWND parent);
// The form's status bar text; false when it has none.
bool ProbeStatusText(HWND form, std::wstring* text);
std::wstring ProbeListCell(HWND list, int row, int column);
int ProbeListRows(HWND list);
int ProbeListColumns(HWND list);
std::wstring ProbeListTitles(HWND list);
// A grid's open editor: an edit, or a choice's combo box.
HWND ProbeListEditor(HWND list);
int ProbeListCurrent(HWND list);
std::wstring ProbeComboEntry(HWND combo, LRESULT index);
// A window's rectangle on the screen, as "x=... y=... w=... h=...".
std::string ProbeRectPairs(HWND window);
// The old probe's lines: a top-level window, a control of a form (ending with key=form.item
// when it tells its name), an accessibility reading.
std::string ProbeTopLevelLine(const char* what, HWND window);
std::string ProbeChildLine(HWND form, HWND child);
std::string ProbeAccessLine(HWND window);

// --- probe_input.cpp ---------------------------------------------------------------------------

// Real input, as the system's own keyboard and mouse give it (SendInput): it reaches whatever
// window has the focus, as a user's would.
ProbeResult ProbeClick(HWND control, int dx, int dy);
// Keys named as "Tab", "Return", "ctrl+a", "shift+Tab", "alt+f", "F4" or one character.
ProbeResult ProbeKeys(const std::vector<std::wstring>& keys);
ProbeResult ProbeTypeText(const std::wstring& text);
// The item's control takes the focus (a click when it does not have it yet); kProbeInput when
// the focus stays elsewhere, naming where.
ProbeResult ProbeFocus(const ProbeItem& item);

// --- probe_shot.cpp ----------------------------------------------------------------------------

// A screenshot of a screen rectangle (the whole screen when empty) into a PNG or BMP file, by the
// file's extension.
ProbeResult ProbeShot(const RECT& rect, const std::wstring& file);

// --- probe_commands.cpp ------------------------------------------------------------------------

// Runs one command with its arguments; a script's lines run through it too.
ProbeResult ProbeRun(const std::vector<std::wstring>& words);
void ProbeUsage();

// --- probe_script.cpp --------------------------------------------------------------------------

// Runs a script file: one command a line, stops at the first failure, takes a screenshot of the
// screen then, and ends the program it started.
ProbeResult ProbeRunScript(const std::wstring& file);
// A program started for a script: its process stays the scope of every search.
ProbeResult ProbeStart(const std::vector<std::wstring>& commandLine);
// Waits for the started program to end; its exit code.
ProbeResult ProbeWaitExit(DWORD* code);
// Has the started program ended? Then a failure saying so.
bool ProbeProgramEnded(ProbeResult* result);
