// "Nouvelle écriture": a modal form of the three fields of an entry, in Tab order date, libellé,
// montant, then OK and Annuler. OK adds the entry when the ledger accepts it.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

constexpr char kForm[] = "ecriture";
constexpr char kFormProperties[] =
    "modal=true;name=Nouvelle \xE9"
    "criture";  // écriture
constexpr char kDateFormat[] = "dd/mm/yyyy";
constexpr char kAmountPicture[] = "999999999999999,888888888";

const std::vector<CarnetFormItem> kItems = {
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

std::string controlText(const char* item) {
  HWND control = ZK_FormItemGet(kForm, item).hwnd;
  char text[256] = "";
  if (control != nullptr) GetWindowTextA(control, text, sizeof text);
  return text;
}

// OK pressed from within a field leaves it unchecked: the date is completed from today and the
// amount written as the field would write them, so that the ledger reads what the user meant.
std::string typedDate() {
  DateValue date;
  date.SetFormat(kDateFormat);
  const std::string text = controlText("date");
  date.Parse(text);
  return date.Error() == 0 ? date.Format("") : text;
}

std::string typedAmount() {
  CurrencyValue amount;
  amount.SetFormat(kAmountPicture);
  const std::string text = controlText("montant");
  amount.Parse(text);
  return amount.Error() == 0 && !amount.IsEmpty() ? amount.Format() : text;
}

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

// OK: the ledger checks the entry; a refused one keeps the form open on the field at fault.
int onOk() {
  const carnet::Result result =
      CarnetLedger().Add(typedDate(), controlText("libelle"), typedAmount());
  if (result.ok()) return 0;
  SetFocus(ZK_FormItemGet(kForm, fieldOf(result.column)).hwnd);
  ZK_FormStatusSet(kForm, "Saisie incorrecte : " + result.message);
  return 1;
}

int onEntryEvent(std::string form, std::string item, std::string event, HWND, UINT message,
                 WPARAM wParam, LPARAM lParam) {
  if (CarnetPressForKey(form, event, message, wParam, lParam, "ok", "annuler")) return 1;
  // A refused entry stops the click before the toolkit closes the form.
  if (CarnetClickedButton(item, event, message, wParam) == "ok") return onOk();
  return 0;
}

}  // namespace

void CarnetEntryFormRun() {
  const std::size_t before = CarnetLedger().Count();
  CarnetModalFormRun(kForm, kFormProperties, 110, 90, 480, 230, kItems, onEntryEvent);
  if (CarnetLedger().Count() == before) return;
  CarnetRowsShow();
  CarnetEntrySelect(CarnetLedger().Count() - 1);
}
