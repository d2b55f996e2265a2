// Carnet's menu bar and what each of its entries does, in one table; the recent files follow
// Fichier's commands.
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

void openRecent(std::size_t index) {
  const std::vector<std::string> recent = CarnetRecentFiles();
  if (index >= recent.size() || !CarnetChangesSettled()) return;
  CarnetOpenPath(recent[index]);
}

struct MenuEntry {
  const char* name;
  int column;
  int row;  // row 1 titles the column; Fichier's rows from kRecentRow on follow the recent files
  const char* caption;
  const char* properties;  // the shortcut
  void (*run)();
};

constexpr int kRecentRow = 7;
constexpr std::size_t kRecentShown = 4;
constexpr const char* kRecentNames[kRecentShown] = {"recent1", "recent2", "recent3", "recent4"};
void (*const kRecentRuns[kRecentShown])() = {[] { openRecent(0); }, [] { openRecent(1); },
                                             [] { openRecent(2); }, [] { openRecent(3); }};

// Shortcuts work from the grid and its cell editor alike; the grid keeps Delete (which deletes
// the selected entries as Supprimer does), the cell editor Delete, Ctrl+Z and Ctrl+Y. Insert is
// the entry's everywhere: an edit field has no use for it.
const MenuEntry kMenuEntries[] = {
    {"fichier", 1, 1, "&Fichier", "", nullptr},
    {"nouveau", 1, 2, "&Nouveau", "key=Ctrl+N", newLedger},
    {"ouvrir", 1, 3, "&Ouvrir...", "key=Ctrl+O", openLedger},
    {"enregistrer", 1, 4, "&Enregistrer", "key=Ctrl+S", [] { CarnetSave(); }},
    {"enregistrer_sous", 1, 5, "Enregistrer &sous...", "key=Ctrl+Shift+S", [] { CarnetSaveAs(); }},
    {"-", 1, 6, "", "", nullptr},
    {"quitter", 1, kRecentRow, "&Quitter", "key=Ctrl+Q", [] { CarnetQuit(); }},
    {"edition", 2, 1, "\xC9&dition", "", nullptr},  // Édition
    {"annuler", 2, 2, "&Annuler", "key=Ctrl+Z", [] { CarnetHistoryStep(true); }},
    {"retablir", 2, 3, "&R\xE9tablir", "key=Ctrl+Y", [] { CarnetHistoryStep(false); }},
    {"-", 2, 4, "", "", nullptr},
    {"rechercher", 2, 5, "Re&chercher...", "key=Ctrl+F", CarnetFindFormRun},
    {"suivant", 2, 6, "&Suivant", "key=F3", [] { CarnetFindNext(true); }},
    {"precedent", 2, 7,
     "&Pr\xE9"
     "c\xE9"
     "dent",
     "key=Shift+F3", [] { CarnetFindNext(false); }},
    {"ecriture", 3, 1, "\xC9&criture", "", nullptr},  // Écriture
    {"ajouter", 3, 2, "&Ajouter...", "key=Insert;keyfirst=yes", CarnetEntryFormRun},
    {"supprimer", 3, 3, "&Supprimer", "key=Delete", CarnetDeleteSelected},
    {"affichage", 4, 1, "&Affichage", "", nullptr},
    {"periode", 4, 2, "&P\xE9riode...", "", CarnetPeriodFormRun},
    {"tout", 4, 3,
     "&Toutes les \xE9"
     "critures",
     "", CarnetPeriodClear},
    {"-", 4, 4, "", "", nullptr},
    {"totaux", 4, 5, "T&otaux par cat\xE9gorie...", "", CarnetTotalsFormRun},
};

// The menu bar built last and the recent files it shows.
HMENU builtBar = nullptr;
std::vector<std::string> builtRecent;

}  // namespace

void CarnetMenuRecentUpdate() {
  if (builtBar == nullptr || GetMenu(CarnetWindowHandle()) != builtBar ||
      CarnetRecentFiles() != builtRecent)
    CarnetMenuBuild();
}

void CarnetMenuBuild() {
  // Failures are reported by the toolkit; the program runs on with what could be built.
  const std::vector<std::string> recent = CarnetRecentFiles();
  const std::size_t shown = std::min(recent.size(), kRecentShown);
  for (const MenuEntry& entry : kMenuEntries) {
    // Quitter goes below the recent files and their separator.
    const int row = entry.column == 1 && entry.row >= kRecentRow && shown > 0
                        ? entry.row + static_cast<int>(shown) + 1
                        : entry.row;
    ZK_MenuAdd(kCarnetMenu, entry.name, entry.column, row, entry.caption, entry.properties);
  }
  for (std::size_t i = 0; i < shown; ++i) {
    // "&1 compte.csv": the name alone, as the title shows it.
    std::string name = recent[i];
    const std::size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    ZK_MenuAdd(kCarnetMenu, kRecentNames[i], 1, kRecentRow + static_cast<int>(i),
               "&" + std::to_string(i + 1) + " " + name, "");
  }
  if (shown > 0) ZK_MenuAdd(kCarnetMenu, "-", 1, kRecentRow + static_cast<int>(shown), "", "");
  ZK_MenuDisplay(kCarnetMainWindow, kCarnetMenu, "");
  builtBar = GetMenu(CarnetWindowHandle());
  builtRecent = recent;
}

bool CarnetCommandRun(const std::string& name) {
  for (const MenuEntry& entry : kMenuEntries) {
    if (name != entry.name || entry.run == nullptr) continue;
    entry.run();
    return true;
  }
  for (std::size_t i = 0; i < kRecentShown; ++i) {
    if (name != kRecentNames[i]) continue;
    kRecentRuns[i]();
    return true;
  }
  return false;
}

bool CarnetQuit() {
  if (!CarnetChangesSettled()) return false;
  PostQuitMessage(0);
  return true;
}
