// Two toolkit lifetimes in one process, with a reset between, give what a fresh process gives:
// the state after each reset, and the statuses, events, reports, values and counts of a session
// with the main window, a menu and a form. The fresh process is this program again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/velmo_host.h"

namespace {

constexpr char kTranscriptVariable[] = "ZK_LIFETIME_TRANSCRIPT";
constexpr char kSelf[] = "ToolkitLifetime.TwoInOneProcessGiveWhatTwoProcessesGive";

std::vector<std::string> gLog;
bool gRecording = false;

int recordEvent(std::string form, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (gRecording && event != ZK_BEFORE) gLog.push_back(event + " " + form + "." + item);
  return 0;
}

bool recordReport(const std::string& text, const std::string&) {
  gLog.push_back("report " + support::reportLine(text, "Function") + " / " +
                 support::reportLine(text, "Window name") + " / " +
                 support::reportLine(text, "Error number"));
  return false;
}

void note(const std::string& what, int status) {
  gLog.push_back(what + " " + std::to_string(status));
}

// Every field of each layer's state that a lifetime changes, handles as present or not.
std::string stateNow() {
  const ZK_FoundationState& f = ZK_FoundationStateIntl();
  const ZK_WindowState& w = ZK_WindowStateIntl();
  const ZK_FormsState& s = ZK_FormsStateIntl();
  return "current=" + f.currentWindowName + " windows=" + std::to_string(w.registry.size()) +
         " menus=" + std::to_string(w.menus.size()) + " main=" + w.mainWindowName +
         " active=" + w.activeFormName + " ready=" + std::to_string(w.ready) +
         " paint=" + std::to_string(w.paint.dc != nullptr) +
         " fonts=" + std::to_string(w.fonts.size()) + " items=" + std::to_string(s.items.size()) +
         " controls=" + std::to_string(s.keysByControl.size()) + " entry=" + s.entryText + "/" +
         std::to_string(s.entryCheckState) + " refocusing=" + std::to_string(s.refocusing) +
         " gdi=" + std::to_string(w.gdi.live) + " pending=" + std::to_string(w.gdi.pending.size());
}

void command(HWND dialog, const char* item, WORD code) {
  HWND control = ZK_FormItemGet("fiche", item).hwnd;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// One lifetime: from the reset to the end of the main window, as a process would end it.
std::vector<std::string> lifetime() {
  gLog.clear();
  ZK_ErrorPromptSetIntl(recordReport);
  note("reset", ZK_ResetZarvikIntl());
  gLog.push_back("state " + stateNow());
  note("release without a window", ZK_WindowRelease());
  note("main", ZK_WindowMainCreate("Main", SW_SHOW, velmo_host::windowProc,
                                   "name=Deux vies;bkcol=lightgrey", 0, 0, 640, 480));
  note("menu", ZK_MenuAdd("menu", "fichier", 1, 1, "&Fichier", ""));
  note("menu", ZK_MenuAdd("menu", "quitter", 1, 2, "&Quitter", ""));
  note("menu bar", ZK_MenuDisplay("Main", "menu", ""));
  gLog.push_back("command " + std::to_string(ZK_MenuEntryGetIntl("menu", 1, 2).commandId));

  const struct {
    const char* name;
    const char* kind;
    const char* properties;
  } items[] = {
      {"montant", ZK_EDIT, "type=currency;format=999,88;remark=Montant"},
      {"coche", ZK_CHECK, "check=yes;brdstyle=3DOUT"},
      {"liste", ZK_COMBOSYS, "value1=un;value2=deux"},
      {"titre", ZK_STATIC, "value=Titre;ftname=Arial;brdsize=2;bkcol=white"},
      {"ok", ZK_BUTTON, "button=ok;value=OK"},
  };
  int order = 0;
  for (const auto& item : items) {
    ++order;
    note(std::string("declare ") + item.name,
         ZK_FormItemAdd("fiche", item.name, item.kind, order, 10, 30 * order, 120, 24,
                        item.properties));
  }
  note("open", ZK_FormCreate("fiche", "name=Fiche", 10, 10, 400, 300, recordEvent));
  HWND dialog = ZK_WindowLookupIntl("fiche").hwnd;
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

  // Messages sent, not posted: nothing else of the desktop comes in between.
  gRecording = true;
  command(dialog, "montant", EN_KILLFOCUS);
  command(dialog, "montant", EN_SETFOCUS);
  SetWindowTextA(ZK_FormItemGet("fiche", "montant").hwnd, "1234");
  command(dialog, "montant", EN_KILLFOCUS);
  command(dialog, "coche", BN_CLICKED);
  SendMessageA(ZK_FormItemGet("fiche", "liste").hwnd, CB_SETCURSEL, 1, 0);
  command(dialog, "liste", CBN_SELCHANGE);
  note("set", ZK_FormItemSet("fiche", "titre", ZK_TXHPOS, "1"));
  note("set", ZK_FormItemSet("fiche", "liste", ZK_RETURN, "trois"));
  gRecording = false;
  for (const char* item : {"montant", "coche", "liste", "titre"}) {
    const ItemRecord record = ZK_FormItemGet("fiche", item);
    gLog.push_back(std::string(item) + " = " + record.field.text + " " +
                   std::to_string(record.field.checkState) + " " + std::to_string(record.textHPos));
  }
  note("close unknown", ZK_FormClose("inconnue"));
  note("font outside a paint", ZK_TextFontSet("Arial", 12, 1, 0, 0));

  gRecording = true;
  command(dialog, "ok", BN_CLICKED);
  gRecording = false;
  gLog.push_back("closed by " + ZK_WindowLookupIntl("fiche").closedBy);
  note("forget", ZK_FormClose("fiche"));

  // The end of the process, for the toolkit: its main window and class go, the class's brush
  // with it.
  HBRUSH brush = ZK_WindowLookupIntl("Main").backBrush;
  DestroyWindow(ZK_WindowLookupIntl("Main").hwnd);
  if (UnregisterClassA("Main", ZK_WindowStateIntl().instance)) ZK_GdiForgetIntl(brush);
  support::pump();
  gLog.push_back("end windows=" + std::to_string(ZK_WindowRegistryIntl().size()) +
                 " items=" + std::to_string(ZK_ItemTableIntl().size()) +
                 " gdi=" + std::to_string(ZK_GdiCountIntl()));
  ZK_ErrorPromptSetIntl(nullptr);
  return gLog;
}

// This program run again with the transcript file named: one lifetime in a fresh process.
std::vector<std::string> freshProcess() {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file =
      std::string(folder) + "zarvik-lifetime-" + std::to_string(GetCurrentProcessId()) + ".txt";
  std::string commandLine = std::string("\"") + program + "\" --gtest_filter=" + kSelf;
  SetEnvironmentVariableA(kTranscriptVariable, file.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(kTranscriptVariable, nullptr);
  std::vector<std::string> lines;
  if (!started) return lines;
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  in.close();
  DeleteFileA(file.c_str());
  return lines;
}

TEST(ToolkitLifetime, TwoInOneProcessGiveWhatTwoProcessesGive) {
  if (const char* file = std::getenv(kTranscriptVariable)) {
    std::ofstream out(file);
    for (const std::string& line : lifetime()) out << line << "\n";
    return;
  }
  const std::vector<std::string> first = lifetime();
  const std::vector<std::string> second = lifetime();
  const std::vector<std::string> fresh = freshProcess();
  ASSERT_GT(fresh.size(), 20u);
  EXPECT_EQ(first, fresh);
  EXPECT_EQ(second, fresh);
}

}  // namespace
