// "Nouvelle écriture": a modal form of the three fields of an entry, in Tab order date, libellé,
// montant, then OK and Annuler. OK adds the entry when every field and the ledger accept it.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

constexpr char kForm[] = "ecriture";
// Enter presses OK, Escape and the close box Annuler; OK first checks every field as leaving it
// would, and a refused one keeps the form open with the focus on it.
constexpr char kFormProperties[] =
    "modal=true;default=ok;cancel=annuler;validate=true;name=Nouvelle \xE9"
    "criture";  // écriture

struct Item {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};

const Item kItems[] = {
    {"titre_date", ZK_STATIC, 20, 20, 90, 24, "value=Date;txvpos=center;ftname=Arial;ftsize=10"},
    {"date", ZK_EDIT, 120, 20, 110, 24,
     "type=date;format=dd/mm/yyyy;notnull=true;ftname=Arial;ftsize=10;remark=Date : 1 pour le 1er "
     "de ce mois"},
    {"titre_libelle", ZK_STATIC, 20, 54, 90, 24,
     "value=Libell\xE9;txvpos=center;ftname=Arial;ftsize=10"},
    {"libelle", ZK_EDIT, 120, 54, 330, 24,
     "length=100;notnull=true;ftname=Arial;ftsize=10;remark=Libell\xE9 : 100 caract\xE8res au "
     "plus"},
    {"titre_montant", ZK_STATIC, 20, 88, 90, 24,
     "value=Montant;txvpos=center;ftname=Arial;ftsize=10"},
    {"montant", ZK_EDIT, 120, 88, 170, 24,
     "type=currency;format=999999999999999,888888888;notnull=true;ftname=Arial;ftsize=10;"
     "remark=Montant : - pour une d\xE9pense"},
    {"ok", ZK_BUTTON, 250, 130, 95, 28, "button=ok;value=OK;ftname=Arial;ftsize=10"},
    {"annuler", ZK_BUTTON, 355, 130, 95, 28, "button=cancel;value=Annuler;ftname=Arial;ftsize=10"},
};

const char* fieldOf(carnet::Column column) {
  switch (column) {
    case carnet::Column::Label:
      return "libelle";
    case carnet::Column::Amount:
      return "montant";
    case carnet::Column::Date:
    default:
      return "date";
  }
}

// OK, every field accepted: the date completed from today and the amount as the fields wrote
// them go to the ledger, which checks the entry as its file reader would; a refused one keeps the
// form open on the field at fault.
int onOk() {
  DateValue date = ZK_FormItemGet(kForm, "date").field.date;
  CurrencyValue amount = ZK_FormItemGet(kForm, "montant").field.currency;
  const carnet::Result result = CarnetLedger().Add(
      date.Format(""), ZK_FormItemGet(kForm, "libelle").field.text, amount.Format());
  if (result.ok()) return 0;
  ZK_FormItemFocus(kForm, fieldOf(result.column));
  ZK_FormStatusSet(kForm, "Saisie incorrecte : " + result.message);
  return 1;
}

int onEntryEvent(std::string form, std::string, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event == ZK_FORMCLOSE && ZK_FormClosedBy(form) == "OK") return onOk();
  return 0;
}

}  // namespace

void CarnetEntryFormRun() {
  const std::size_t before = CarnetLedger().Count();
  int order = 1;
  for (const Item& item : kItems)
    ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  ZK_FormCreate(kForm, kFormProperties, 110, 90, 480, 230, onEntryEvent);
  // The run is over: forget the form so that it can open again.
  ZK_FormClose(kForm);
  if (CarnetLedger().Count() == before) return;
  CarnetRowsShow();
  CarnetEntrySelect(CarnetLedger().Count() - 1);
}
