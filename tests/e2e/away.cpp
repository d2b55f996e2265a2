// zkaway: a program of the toolkit for the end-to-end test of validation and other windows. Its
// main window holds a form (EDGE=false, as a ledger fills its window) with a required field
// "nom" and a field "ville"; its menu Test opens a message box (Message), makes the toolkit
// report an error (Erreur: its error box), opens another form (Fiche) or quits. When the main
// window gets the focus, it hands it to "ville", as a program hands it to its form.
#include <windows.h>

#include <string>

#include <zarvik/zarvik.h>

namespace {
constexpr char kMain[] = "Main";
constexpr char kMenu[] = "menu";

void openFiche() {
  ZK_FormItemAdd("fiche", "nomtexte", ZK_STATIC, 1, 10, 10, 80, 22, "value=Nom :;txvpos=center");
  ZK_FormItemAdd("fiche", "nom", ZK_EDIT, 2, 100, 10, 200, 22, "notnull=true;remark=Votre nom");
  ZK_FormItemAdd("fiche", "villetexte", ZK_STATIC, 3, 10, 40, 80, 22,
                 "value=Ville :;txvpos=center");
  ZK_FormItemAdd("fiche", "ville", ZK_EDIT, 4, 100, 40, 200, 22, "remark=Votre ville");
  ZK_FormCreate("fiche", "edge=false;bkcol=lightgrey", 0, 0, 560, 360, nullptr);
}

// A second form, modeless, in front of the main window.
bool gAutreOpened = false;

void openAutre() {
  if (gAutreOpened) ZK_FormClose("autre");  // the last one, closed by now, is forgotten
  gAutreOpened = true;
  ZK_FormItemAdd("autre", "note", ZK_EDIT, 1, 10, 10, 200, 22, "remark=Une note");
  ZK_FormItemAdd("autre", "ok", ZK_BUTTON, 2, 10, 50, 80, 28, "button=ok;value=OK");
  ZK_FormCreate("autre", "name=Autre", 40, 40, 260, 160, nullptr);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect(kMain);
    ZK_WindowRelease();
    return 0;
  }
  if (message == WM_SETFOCUS) {
    HWND ville = ZK_FormItemGet("fiche", "ville").hwnd;
    if (ville != nullptr) SetFocus(ville);
    return 0;
  }
  const std::string command = ZK_MenuCommand(kMenu, message, wParam);
  if (command == "message") ZK_MessageBox("Message", "Bonjour");
  if (command == "erreur") ZK_WindowMove("absente", 0, 0, 10, 10);  // reported: no such window
  if (command == "fiche") openAutre();
  if (command == "quitter") PostQuitMessage(0);
  if (!command.empty()) return 0;
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // Away from the desktop's corner, where another program's window opens.
  const int status =
      ZK_WindowMainCreate(kMain, showCommand, mainProc, "name=Ailleurs", 300, 200, 600, 450);
  if (status != 0) return status;
  ZK_MenuAdd(kMenu, "test", 1, 1, "&Test", "");
  ZK_MenuAdd(kMenu, "message", 1, 2, "&Message", "");
  ZK_MenuAdd(kMenu, "erreur", 1, 3, "&Erreur", "");
  ZK_MenuAdd(kMenu, "fiche", 1, 4, "&Fiche", "");
  ZK_MenuAdd(kMenu, "quitter", 1, 5, "&Quitter", "");
  ZK_MenuDisplay(kMain, kMenu, "");
  openFiche();
  return ZK_MessageLoop();
}
