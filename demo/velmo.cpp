// Velmo's entry point, its menu and its main window procedure.
#include <string>

#include "demo.h"
#include "zarvik/zarvik.h"

namespace {
constexpr char kMainWindow[] = "Main";
constexpr char kMenu[] = "menu";

struct DemoMenuEntry {
  const char* name;
  int column;
  int row;
  const char* caption;
};

const DemoMenuEntry kMenuEntries[] = {
    {"fichier", 1, 1, "&Fichier"},
    {"ouvrir", 1, 2, "&Ouvrir"},
    {"-", 1, 3, ""},
    {"quitter", 1, 4, "&Quitter"},
    {"form", 2, 1, "F&ormulaires"},
    {"tous", 2, 2, "&Tous les champs"},
    {"static", 2, 3, "Le champ &Static"},
    {"edit", 2, 4, "&Edit"},
};
}  // namespace

void DemoMenuBuild() {
  // Failures are reported by the toolkit; the program runs on with what could be built.
  for (const DemoMenuEntry& entry : kMenuEntries) {
    ZK_MenuAdd(kMenu, entry.name, entry.column, entry.row, entry.caption, "");
  }
  ZK_MenuDisplay(kMainWindow, kMenu, "");
}

LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect(kMainWindow);
    ZK_WindowRelease();
    return 0;
  }
  const std::string command = ZK_MenuCommand(kMenu, message, wParam);
  if (command == "quitter") {
    PostQuitMessage(0);
    return 0;
  }
  if (command == "ouvrir") {
    // "Il n'y a rien à ouvrir, utilisez le menu Formulaires"
    ZK_MessageBox("Ouvrir", "Il n'y a rien \xE0 ouvrir, utilisez le menu Formulaires");
    return 0;
  }
  if (command == "static") {
    DemoStaticFormOpen();
    return 0;
  }
  if (command == "edit") {
    DemoEditFormOpen();
    return 0;
  }
  if (command == "tous") {
    DemoTousFormOpen();
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
  const int status = ZK_WindowMainCreate(kMainWindow, showCommand, DemoWindowProc,
                                         "name=Velmo v1.1", 0, 0, 800, 600);
  if (status != 0) return status;
  DemoMenuBuild();
  return ZK_MessageLoop();
}
