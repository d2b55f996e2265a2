// Opening and saving the ledger, with progress for long ones and the ledger's own French message
// when the system or the file refuses; unsaved changes settled before they could be lost.
#include <zarvik/zarvik.h>

#include "carnet_app.h"
#include "progress_status.h"

namespace {

// Ledgers first, then any file; a name typed without extension gets ".csv".
constexpr char kFileProperties[] =
    "filter=Carnets (*.csv)|*.csv|Tous les fichiers (*.*)|*.*;ext=csv;name=";

std::string askPath(bool save) {
  // Saving starts from the ledger's own name.
  std::string path = save ? CarnetLedger().Path() : "";
  const std::string properties =
      kFileProperties + std::string(save ? "Enregistrer le carnet sous" : "Ouvrir un carnet");
  const int status =
      save ? ZK_FileSaveAsk("", properties, &path) : ZK_FileOpenAsk("", properties, &path);
  if (status == ZK_ERR_FILE_NAME)
    ZK_MessageBox(kCarnetName,
                  "Ce nom de fichier ne s'\xE9"
                  "crit pas en Windows-1252 : choisissez-en un autre.");
  return status == ZK_OK ? path : "";
}

// The message names the file and the line, or the system's reason; the window keeps what it had.
bool shown(const carnet::Result& result) {
  CarnetStatusShow();
  if (!result.ok()) ZK_MessageBox(kCarnetName, result.message);
  return result.ok();
}

}  // namespace

bool CarnetOpenPath(const std::string& path) {
  carnet::Result result;
  {
    ProgressStatus progress("Ouverture");
    result = CarnetLedger().Open(path, progress.Callback());
  }
  if (result.ok()) CarnetRowsShow();
  return shown(result);
}

bool CarnetSave() {
  if (CarnetLedger().Path().empty()) return CarnetSaveAs();
  carnet::Result result;
  {
    ProgressStatus progress("Enregistrement");
    result = CarnetLedger().Save(progress.Callback());
  }
  return shown(result);
}

std::string CarnetAskOpenPath() {
  return askPath(false);
}

std::string CarnetAskSavePath() {
  return askPath(true);
}

bool CarnetSaveAs() {
  const std::string path = CarnetAskSavePath();
  if (path.empty()) return false;
  carnet::Result result;
  {
    ProgressStatus progress("Enregistrement");
    result = CarnetLedger().SaveAs(path, progress.Callback());
  }
  return shown(result);
}

bool CarnetChangesSettled() {
  if (!CarnetLedger().Dirty()) return true;
  // Oui, Non, Annuler; Escape and the close box answer Annuler.
  ZK_Answer answer = ZK_ANSWER_CANCEL;
  if (ZK_QuestionAsk("", kCarnetName, "Enregistrer les modifications ?", true, &answer) != ZK_OK)
    return false;
  switch (answer) {
    case ZK_ANSWER_YES:
      // A failed or cancelled save keeps the window and its changes.
      return CarnetSave();
    case ZK_ANSWER_NO:
      return true;
    case ZK_ANSWER_CANCEL:
    default:
      return false;
  }
}
