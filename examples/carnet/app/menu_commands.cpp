// Carnet's menu bar and what each of its entries does, in one table.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

void newLedger() {
  if (!CarnetChangesSettled()) return;
  CarnetLedger().New();
  CarnetRowsShow();
}

void openLedger() {
  if (!CarnetChangesSettled()) return;
  const std::string path = CarnetAskOpenPath();
  if (!path.empty()) CarnetOpenPath(path);
}

struct MenuEntry {
  const char* name;
  int column;
  int row;  // row 1 titles the column
  const char* caption;
  const char* properties;  // the shortcut
  void (*run)();
};

// Shortcuts work from the grid and its cell editor alike; the grid keeps Delete and Insert, the
// editor Ctrl+Z and its other editing keys.
const MenuEntry kMenuEntries[] = {
    {"fichier", 1, 1, "&Fichier", "", nullptr},
    {"nouveau", 1, 2, "&Nouveau", "key=Ctrl+N", newLedger},
    {"ouvrir", 1, 3, "&Ouvrir...", "key=Ctrl+O", openLedger},
    {"enregistrer", 1, 4, "&Enregistrer", "key=Ctrl+S", [] { CarnetSave(); }},
    {"enregistrer_sous", 1, 5, "Enregistrer &sous...", "key=F12", [] { CarnetSaveAs(); }},
    {"-", 1, 6, "", "", nullptr},
    {"quitter", 1, 7, "&Quitter", "key=Ctrl+Q", [] { CarnetQuit(); }},
    {"ecriture", 2, 1, "\xC9&criture", "", nullptr},  // Écriture
    {"ajouter", 2, 2, "&Ajouter...", "key=Ctrl+E", CarnetEntryFormRun},
    {"supprimer", 2, 3, "&Supprimer", "key=Ctrl+Delete", CarnetDeleteSelected},
};

}  // namespace

void CarnetMenuBuild() {
  // Failures are reported by the toolkit; the program runs on with what could be built.
  for (const MenuEntry& entry : kMenuEntries)
    ZK_MenuAdd(kCarnetMenu, entry.name, entry.column, entry.row, entry.caption, entry.properties);
  ZK_MenuDisplay(kCarnetMainWindow, kCarnetMenu, "");
}

bool CarnetCommandRun(const std::string& name) {
  for (const MenuEntry& entry : kMenuEntries) {
    if (name != entry.name || entry.run == nullptr) continue;
    entry.run();
    return true;
  }
  return false;
}

bool CarnetQuit() {
  if (!CarnetChangesSettled()) return false;
  PostQuitMessage(0);
  return true;
}
