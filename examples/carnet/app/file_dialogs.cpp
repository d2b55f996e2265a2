// The system's Open and Save As dialogs for ledger files.
#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "carnet_app.h"

namespace {

// Pairs of a description and its patterns, each ended by a null, the list by a second one.
constexpr char kFilter[] = "Carnets (*.csv)\0*.csv\0Tous les fichiers (*.*)\0*.*\0";

bool askPath(bool save, std::string* path) {
  // The dialog writes the chosen path here; it starts from the ledger's own name when saving.
  std::vector<char> buffer(32768, '\0');
  if (save) CarnetLedger().Path().copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = CarnetWindowHandle();
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = "csv";
  // The folder the program started in stays its current one.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  BOOL chosen = FALSE;
  if (save) {
    dialog.lpstrTitle = "Enregistrer le carnet sous";
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameA(&dialog);
  } else {
    dialog.lpstrTitle = "Ouvrir un carnet";
    dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    chosen = GetOpenFileNameA(&dialog);
  }
  if (!chosen) return false;
  *path = buffer.data();
  return true;
}

}  // namespace

bool CarnetAskOpenPath(std::string* path) {
  return askPath(false, path);
}

bool CarnetAskSavePath(std::string* path) {
  return askPath(true, path);
}
