// Carnet's menu bar and what each of its entries does.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

struct MenuEntry {
  const char* name;
  int column;
  int row;
  const char* caption;
};

const MenuEntry kMenuEntries[] = {
    {"fichier", 1, 1, "&Fichier"},
    {"nouveau", 1, 2, "&Nouveau"},
    {"ouvrir", 1, 3, "&Ouvrir..."},
    {"enregistrer", 1, 4, "&Enregistrer"},
    {"enregistrer_sous", 1, 5, "Enregistrer &sous..."},
    {"-", 1, 6, ""},
    {"quitter", 1, 7, "&Quitter"},
    {"ecriture", 2, 1, "\xC9&criture"},  // Écriture
    {"ajouter", 2, 2, "&Ajouter..."},
    {"supprimer", 2, 3, "&Supprimer"},
};

void newLedger() {
  if (!CarnetChangesSettled()) return;
  CarnetLedger().New();
  CarnetRowsShow();
}

void openLedger() {
  if (!CarnetChangesSettled()) return;
  std::string path;
  if (CarnetAskOpenPath(&path)) CarnetOpenPath(path);
}

struct Command {
  const char* name;
  void (*run)();
};

const Command kCommands[] = {
    {"nouveau", newLedger},
    {"ouvrir", openLedger},
    {"enregistrer", [] { CarnetSave(); }},
    {"enregistrer_sous", [] { CarnetSaveAs(); }},
    {"quitter", [] { CarnetQuit(); }},
    {"ajouter", CarnetEntryFormRun},
    {"supprimer", CarnetDeleteSelected},
};

}  // namespace

void CarnetMenuBuild() {
  // Failures are reported by the toolkit; the program runs on with what could be built.
  for (const MenuEntry& entry : kMenuEntries)
    ZK_MenuAdd(kCarnetMenu, entry.name, entry.column, entry.row, entry.caption, "");
  ZK_MenuDisplay(kCarnetMainWindow, kCarnetMenu, "");
}

bool CarnetCommandRun(const std::string& name) {
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    command.run();
    return true;
  }
  return false;
}

bool CarnetQuit() {
  if (!CarnetChangesSettled()) return false;
  PostQuitMessage(0);
  return true;
}
