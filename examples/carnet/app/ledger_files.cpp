// Opening and saving the ledger, with progress for long ones and the ledger's own French message
// when the system or the file refuses; unsaved changes settled before they could be lost; a
// ledger open in another Carnet opened read-only, and a file changed on disk since it was opened
// replaced only when the user says so.
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

// "Le fichier compte.csv": the name alone, as the title shows it.
std::string fileNamed(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  return "Le fichier " + (slash == std::string::npos ? path : path.substr(slash + 1));
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
  if (!result.ok()) return shown(result);
  CarnetRowsShow();
  CarnetRecentAdd(path);
  if (CarnetLedger().ReadOnly()) ZK_MessageBox(kCarnetName, CarnetLedger().ReadOnlyMessage());
  return true;
}

// Another program changed, replaced or deleted the file since it was opened or saved here:
// true when the user chooses to replace it all the same.
static bool replaceAsked(const carnet::Ledger& ledger) {
  const std::string text =
      fileNamed(ledger.Path()) +
      (ledger.CheckDisk() == carnet::DiskState::Missing
           ? " a \xE9t\xE9 supprim\xE9 ou d\xE9plac\xE9 depuis son ouverture."
           : " a \xE9t\xE9 modifi\xE9 par un autre programme depuis son ouverture.") +
      "\nL'enregistrer quand m\xEAme ?";
  ZK_Answer answer = ZK_ANSWER_NO;
  return ZK_QuestionAsk("", kCarnetName, text, false, &answer) == ZK_OK && answer == ZK_ANSWER_YES;
}

bool CarnetSave() {
  carnet::Ledger& ledger = CarnetLedger();
  if (ledger.Path().empty()) return CarnetSaveAs();
  carnet::Result result;
  for (carnet::SaveMode mode : {carnet::SaveMode::Check, carnet::SaveMode::Overwrite}) {
    {
      ProgressStatus progress("Enregistrement");
      result = ledger.Save(progress.Callback(), mode);
    }
    if (result.kind != carnet::ErrorKind::ChangedOnDisk) break;
    if (!replaceAsked(ledger)) {
      CarnetStatusShow();
      return false;
    }
  }
  if (result.ok()) CarnetRecentAdd(ledger.Path());
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
  if (result.ok()) CarnetRecentAdd(path);
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
