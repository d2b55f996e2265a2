// Opening and saving the ledger, with progress for long ones and the ledger's own French message
// when the system or the file refuses; unsaved changes settled before they could be lost.
#include <zarvik/zarvik.h>

#include "carnet_app.h"
#include "progress_status.h"

namespace {

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

bool CarnetSaveAs() {
  std::string path;
  if (!CarnetAskSavePath(&path)) return false;
  carnet::Result result;
  {
    ProgressStatus progress("Enregistrement");
    result = CarnetLedger().SaveAs(path, progress.Callback());
  }
  return shown(result);
}

bool CarnetChangesSettled() {
  if (!CarnetLedger().Dirty()) return true;
  switch (CarnetAskSaveChanges()) {
    case CarnetAnswer::Yes:
      // A failed or cancelled save keeps the window and its changes.
      return CarnetSave();
    case CarnetAnswer::No:
      return true;
    case CarnetAnswer::Cancel:
    default:
      return false;
  }
}
