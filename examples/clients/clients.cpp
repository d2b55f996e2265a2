// Clients: a small French data-entry program in ZK_ calls only. A form takes a client's name
// (required), a date and an amount, checks them all when OK or Enter adds the client to the grid
// below, follows its frame when resized, and answers menu shortcuts wherever the focus is.
#include <windows.h>

#include <zarvik/zarvik.h>

namespace {
constexpr char kMain[] = "Main";
constexpr char kMenu[] = "menu";
constexpr char kForm[] = "clients";
constexpr char kGrid[] = "liste";
// The form's place and size, restored by Affichage > Taille d'origine.
constexpr int kX = 40, kY = 60, kWidth = 560, kHeight = 420;

struct Item {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};

// The name stretches with the form, OK and Fermer stay at its right edge, the grid takes the rest.
const Item kItems[] = {
    {"titre_nom", ZK_STATIC, 16, 16, 90, 24, "value=Nom;txvpos=center"},
    {"nom", ZK_EDIT, 110, 16, 300, 24,
     "notnull=true;length=40;anchor=left,right;remark=Nom du client (obligatoire)"},
    {"titre_date", ZK_STATIC, 16, 48, 90, 24, "value=Date;txvpos=center"},
    {"date", ZK_EDIT, 110, 48, 110, 24,
     "type=date;format=dd/mm/yyyy;remark=Date : 1 pour le 1er de ce mois"},
    {"titre_montant", ZK_STATIC, 16, 80, 90, 24, "value=Montant;txvpos=center"},
    {"montant", ZK_EDIT, 110, 80, 150, 24,
     "type=currency;format=999999,88;notnull=true;remark=Montant en euros (obligatoire)"},
    {"ok", ZK_BUTTON, 430, 16, 100, 28, "value=OK;anchor=right;remark=Ajoute le client"},
    {"fermer", ZK_BUTTON, 430, 52, 100, 28, "value=Fermer;button=cancel;anchor=right"},
    {kGrid, ZK_DATAGRID, 16, 120, 514, 230, "anchor=left,top,right,bottom"},
};

struct Column {
  const char* name;
  int width;
  const char* title;
  const char* properties;
};
const Column kColumns[] = {
    {"nom", 240, "Nom", "enable=false"},
    {"date", 110, "Date", "enable=false"},
    {"montant", 130, "Montant", "enable=false;txhpos=right"},
};

// Enter presses OK, Escape Fermer; OK first checks every field; the frame stops at 460 x 320.
constexpr char kFormProperties[] =
    "name=Clients;default=ok;cancel=fermer;validate=yes;minsize=460,320";

// The fields, checked already, make a row of the grid; then they are emptied for the next one.
void addClient() {
  const std::string name = ZK_FormItemGet(kForm, "nom").field.text;
  DateValue date = ZK_FormItemGet(kForm, "date").field.date;  // empty: no date
  CurrencyValue amount = ZK_FormItemGet(kForm, "montant").field.currency;
  const std::string day = date.Error() == 0 ? date.Format("") : "";
  ZK_FormGridRowInsert(kForm, kGrid, -1, {name, day, amount.Format()});
  ZK_FormItemFocus(kForm, "nom");
  for (const char* field : {"nom", "date", "montant"}) ZK_FormItemSet(kForm, field, ZK_RETURN, "");
}

// Édition > Annuler (Ctrl+Z): the last client added goes. In a field, Ctrl+Z undoes the typing.
void removeLastClient() {
  const int rows = ZK_FormGridGet(kForm, kGrid).rows;
  if (rows > 0) ZK_FormGridRowDelete(kForm, kGrid, rows - 1);
}

int onEvent(std::string, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  // OK (a click, Enter) reaches here only when every field was accepted.
  if (event == ZK_ITEMCLIC && item == "ok") addClient();
  return 0;
}

void openClients() {
  if (ZK_FormItemFocus(kForm, "nom") == ZK_OK) return;       // open already: back to its name
  if (!ZK_FormClosedBy(kForm).empty()) ZK_FormClose(kForm);  // closed by Fermer: forget it
  int order = 1;
  for (const Item& item : kItems)
    ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  order = 1;
  for (const Column& column : kColumns)
    ZK_FormGridColumnAdd(kForm, kGrid, column.name, order++, column.width, column.title,
                         column.properties);
  ZK_FormCreate(kForm, kFormProperties, kX, kY, kWidth, kHeight, onEvent);
}

// Each menu entry with its shortcut, shown at its right ("Ctrl+S") and working from any field
// and from the grid.
struct Entry {
  const char* name;
  int column, row;
  const char* caption;
  const char* properties;
};
const Entry kEntries[] = {
    {"fichier", 1, 1, "&Fichier", ""},
    {"ouvrir", 1, 2, "&Clients", "key=F2"},
    {"-", 1, 3, "", ""},
    {"quitter", 1, 4, "&Quitter", "key=Ctrl+Q"},
    {"edition", 2, 1, "\xC9&dition", ""},  // Édition
    {"enregistrer", 2, 2, "&Enregistrer le client", "key=Ctrl+S"},
    {"annuler", 2, 3, "&Annuler le dernier", "key=Ctrl+Z"},
    {"affichage", 3, 1, "&Affichage", ""},
    {"taille", 3, 2, "&Taille d'origine", "key=Ctrl+0"},
};

void runCommand(const std::string& command) {
  if (command == "ouvrir") openClients();
  if (command == "quitter") PostQuitMessage(0);
  // The same check as OK's: a refused field gets the focus and its message.
  if (command == "enregistrer" && ZK_FormCheck(kForm) == ZK_OK) addClient();
  if (command == "annuler") removeLastClient();
  if (command == "taille") ZK_WindowMove(kForm, kX, kY, kWidth, kHeight);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect(kMain);
    ZK_WindowRelease();
    return 0;
  }
  const std::string command = ZK_MenuCommand(kMenu, message, wParam);
  if (!command.empty()) {
    runCommand(command);
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const int status =
      ZK_WindowMainCreate(kMain, showCommand, mainProc, "name=Clients", 0, 0, 800, 600);
  if (status != 0) return status;
  for (const Entry& entry : kEntries)
    ZK_MenuAdd(kMenu, entry.name, entry.column, entry.row, entry.caption, entry.properties);
  ZK_MenuDisplay(kMain, kMenu, "");
  openClients();
  return ZK_MessageLoop();
}
