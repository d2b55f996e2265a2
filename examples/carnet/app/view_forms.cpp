// What the window shows of the ledger: Affichage > Période... (the entries between two dates),
// Édition > Rechercher... with its next and previous (a text in the labels), Affichage > Totaux
// par catégorie. Each a modal form whose Enter presses its first button and Escape Annuler.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

struct Item {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};

void itemsAdd(const char* form, const Item* items, std::size_t count) {
  int order = 1;
  for (std::size_t i = 0; i < count; ++i)
    ZK_FormItemAdd(form, items[i].name, items[i].kind, order++, items[i].x, items[i].y,
                   items[i].width, items[i].height, items[i].properties);
}

// --- Période ---

constexpr char kPeriodForm[] = "periode";
constexpr char kPeriodProperties[] =
    "modal=true;default=ok;cancel=annuler;validate=true;name=P\xE9riode";
// Dates as the entry form takes them: "1" is the 1st of this month; an empty one leaves that
// end open.
const Item kPeriodItems[] = {
    {"titre_du", ZK_STATIC, 20, 20, 40, 24, "value=Du;txvpos=center;ftname=Arial;ftsize=10"},
    {"du", ZK_EDIT, 70, 20, 110, 24,
     "type=date;format=dd/mm/yyyy;ftname=Arial;ftsize=10;remark=Premier jour : 1 pour le 1er de "
     "ce mois, vide pour le d\xE9"
     "but du carnet"},
    {"titre_au", ZK_STATIC, 200, 20, 40, 24, "value=au;txvpos=center;ftname=Arial;ftsize=10"},
    {"au", ZK_EDIT, 250, 20, 110, 24,
     "type=date;format=dd/mm/yyyy;ftname=Arial;ftsize=10;remark=Dernier jour, vide pour la fin "
     "du carnet"},
    {"ok", ZK_BUTTON, 160, 64, 95, 28, "button=ok;value=OK;ftname=Arial;ftsize=10"},
    {"annuler", ZK_BUTTON, 265, 64, 95, 28, "button=cancel;value=Annuler;ftname=Arial;ftsize=10"},
};

std::string dateOf(const char* item) {
  const ItemRecord record = ZK_FormItemGet(kPeriodForm, item);
  if (record.field.text.empty()) return "";
  DateValue date = record.field.date;
  return date.Format("");
}

// OK with both dates accepted: the ledger shows that period; a first day after the last keeps
// the form open.
int onPeriodEvent(std::string form, std::string, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event != ZK_FORMCLOSE || ZK_FormClosedBy(form) != "OK") return 0;
  const std::string first = dateOf("du");
  const std::string last = dateOf("au");
  // Both ends open: every entry, as Toutes les écritures.
  if (first.empty() && last.empty()) {
    CarnetLedger().ClearPeriod();
    return 0;
  }
  const carnet::Result result = CarnetLedger().SetPeriod(first, last);
  if (result.ok()) return 0;
  ZK_FormItemFocus(kPeriodForm, "du");
  ZK_FormStatusSet(kPeriodForm, result.message);
  return 1;
}

// --- Rechercher ---

constexpr char kFindForm[] = "recherche";
constexpr char kFindProperties[] =
    "modal=true;default=ok;cancel=annuler;validate=true;name=Rechercher dans les libell\xE9s";
const Item kFindItems[] = {
    {"texte", ZK_EDIT, 20, 20, 330, 24, "length=100;ftname=Arial;ftsize=10"},
    {"ok", ZK_BUTTON, 150, 60, 95, 28, "button=ok;value=Suivant;ftname=Arial;ftsize=10"},
    {"annuler", ZK_BUTTON, 255, 60, 95, 28, "button=cancel;value=Annuler;ftname=Arial;ftsize=10"},
};

std::string& soughtText() {
  static std::string text;
  return text;
}

int onFindEvent(std::string form, std::string, std::string event, HWND, UINT, WPARAM, LPARAM) {
  // The text sought last, to find again or change.
  if (event == ZK_FORMOPENAFT) ZK_FormItemSet(form, "texte", ZK_VALUE, soughtText());
  if (event == ZK_FORMCLOSE && ZK_FormClosedBy(form) == "OK")
    soughtText() = ZK_FormItemGet(kFindForm, "texte").field.text;
  return 0;
}

// --- Totaux par catégorie ---

constexpr char kTotalsForm[] = "totaux";
constexpr char kTotalsGrid[] = "categories";
constexpr char kTotalsProperties[] =
    "modal=true;default=fermer;cancel=fermer;name=Totaux par cat\xE9gorie";
const Item kTotalsItems[] = {
    {kTotalsGrid, ZK_DATAGRID, 10, 10, 420, 220, "ftname=Arial;ftsize=10"},
    {"fermer", ZK_BUTTON, 335, 240, 95, 28, "button=ok;value=Fermer;ftname=Arial;ftsize=10"},
};

std::vector<carnet::CategoryTotal>& totals() {
  static std::vector<carnet::CategoryTotal> rows;
  return rows;
}

int totalText(const std::string&, const std::string&, int row, const std::string& column,
              std::string& text) {
  if (row < 0 || static_cast<std::size_t>(row) >= totals().size()) return 1;
  const carnet::CategoryTotal& total = totals()[static_cast<std::size_t>(row)];
  if (column == "categorie")
    text = total.name.empty() ? "(sans cat\xE9gorie)" : total.name;
  else if (column == "ecritures")
    text = std::to_string(total.count);
  else
    text = total.total;
  return 0;
}

int onTotalsEvent(std::string form, std::string, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event == ZK_FORMOPENAFT)
    ZK_FormGridVirtual(form, kTotalsGrid, static_cast<int>(totals().size()), totalText);
  return 0;
}

}  // namespace

void CarnetPeriodFormRun() {
  itemsAdd(kPeriodForm, kPeriodItems, std::size(kPeriodItems));
  ZK_FormCreate(kPeriodForm, kPeriodProperties, 150, 120, 400, 150, onPeriodEvent);
  ZK_FormClose(kPeriodForm);
  CarnetRowsShow();
}

void CarnetPeriodClear() {
  CarnetLedger().ClearPeriod();
  CarnetRowsShow();
}

void CarnetFindFormRun() {
  itemsAdd(kFindForm, kFindItems, std::size(kFindItems));
  const std::string before = soughtText();
  ZK_FormCreate(kFindForm, kFindProperties, 150, 120, 390, 145, onFindEvent);
  const bool ok = ZK_FormClosedBy(kFindForm) == "OK";
  ZK_FormClose(kFindForm);
  if (!ok || soughtText().empty()) {
    soughtText() = before;
    return;
  }
  CarnetFindNext(true);
}

void CarnetFindNext(bool forward) {
  const std::string& text = soughtText();
  if (text.empty()) {
    CarnetFindFormRun();
    return;
  }
  const std::size_t count = CarnetLedger().Count();
  if (count == 0) return;
  // From the entry after the current one, or before it; the ledger goes round once.
  const int current = ZK_FormGridGet(kCarnetLedgerForm, kCarnetGrid).row;
  std::size_t from = 0;
  if (current >= 0)
    from = forward ? (static_cast<std::size_t>(current) + 1) % count
                   : (static_cast<std::size_t>(current) + count - 1) % count;
  else if (!forward)
    from = count - 1;
  const std::size_t found = CarnetLedger().Find(text, from, forward);
  if (found == carnet::kNoEntry) {
    CarnetStatusSet("Aucun libell\xE9 ne contient \xAB " + text + " \xBB");
    return;
  }
  CarnetStatusShow();
  CarnetEntrySelect(found);
}

void CarnetTotalsFormRun() {
  totals() = CarnetLedger().CategoryTotals();
  carnet::CategoryTotal all;
  all.name = "Total";
  all.count = CarnetLedger().Count();
  all.total = CarnetLedger().TotalText();
  totals().push_back(all);
  itemsAdd(kTotalsForm, kTotalsItems, std::size(kTotalsItems));
  ZK_FormGridColumnAdd(kTotalsForm, kTotalsGrid, "categorie", 1, 200, "Cat\xE9gorie", "");
  ZK_FormGridColumnAdd(kTotalsForm, kTotalsGrid, "ecritures", 2, 80,
                       "\xC9"
                       "critures",
                       "txhpos=right");
  ZK_FormGridColumnAdd(kTotalsForm, kTotalsGrid, "total", 3, 120, "Total", "txhpos=right");
  ZK_FormCreate(kTotalsForm, kTotalsProperties, 130, 80, 460, 320, onTotalsEvent);
  ZK_FormClose(kTotalsForm);
  totals().clear();
}
