// Carnet's main window: its procedure, its title, and closing it only once unsaved changes are
// settled.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

HWND mainWindow = nullptr;

LRESULT CALLBACK carnetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (mainWindow == nullptr) mainWindow = window;
  switch (message) {
    case WM_PAINT:
      ZK_WindowSelect(kCarnetMainWindow);
      ZK_WindowRelease();
      return 0;
    case WM_SETFOCUS:
      // The window's keys belong to the grid, also after a modal form or a message box.
      CarnetGridFocus();
      return 0;
    case WM_CLOSE:
      CarnetQuit();
      return 0;
    default:
      break;
  }
  const std::string command = ZK_MenuCommand(kCarnetMenu, message, wParam);
  if (!command.empty() && CarnetCommandRun(command)) return 0;
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

carnet::Ledger& CarnetLedger() {
  static carnet::Ledger ledger;
  return ledger;
}

HWND CarnetWindowHandle() {
  return mainWindow;
}

int CarnetWindowCreate(int showCommand) {
  return ZK_WindowMainCreate(kCarnetMainWindow, showCommand, carnetWindowProc,
                             std::string("name=") + kCarnetName, 0, 0, 720, 520);
}

// "compte.csv - Carnet", "* compte.csv - Carnet" with unsaved changes, "Sans titre - Carnet",
// "compte.csv (lecture seule) - Carnet" while another program holds the file.
void CarnetTitleShow() {
  const carnet::Ledger& ledger = CarnetLedger();
  std::string name = ledger.Path();
  const std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.empty()) name = "Sans titre";
  if (ledger.ReadOnly()) name += " (lecture seule)";
  ZK_WindowTitleSet(kCarnetMainWindow, (ledger.Dirty() ? "* " : "") + name + " - " + kCarnetName);
}
