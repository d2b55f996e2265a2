// An application whose texts are UTF-8: its manifest declares the UTF-8 code page, so every text
// it gives the toolkit (captions, items, menus) and gets back is UTF-8, in any script. Its texts
// are written as UTF-8 byte escapes, whatever the encoding this file is read in.
#include <windows.h>

#include <string>

#include <zarvik/zarvik.h>

namespace {

const char kMain[] = "Main";
const char kForm[] = "langues";

struct Language {
  const char* name;
  const char* greeting;
};

// Every item of the form takes its texts from this table, one row per language.
const Language kLanguages[] = {
    {"Fran\xC3\xA7"
     "ais",
     "Bonjour, \xC3\xA7"
     "a va ?"},  // Français: Bonjour, ça va ?
    {"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC",
     "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1"},  // Ελληνικά: Καλημέρα
    {"\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9",
     "\xD0\x97\xD0\xB4\xD1\x80\xD0\xB0\xD0\xB2\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD0\xB9\xD1\x82\xD0"
     "\xB5"},  // Русский: Здравствуйте
    {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
     "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF"},  // 日本語: こんにちは
};

struct Entry {
  const char* name;
  int column;
  int row;
  const char* caption;
};

const Entry kMenu[] = {
    {"fichier", 1, 1, "&Fichier"},
    {"ouvrir", 1, 2, "&Ouvrir les langues"},
    {"quitter", 1, 3, "&Quitter"},
    {"grec", 2, 1,
     "&\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC"},  // &Ελληνικά
    {"salut-grec", 2, 2, "\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC \xCF\x83\xCE\xBF\xCF\x85"},  // Γειά σου
    {"russe", 3, 1, "&\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},  // &Русский
    {"salut-russe", 3, 2, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},     // Привет
    {"japonais", 4, 1, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E(&J)"},                // 日本語(&J)
    {"salut-japonais", 4, 2, "\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D"},  // ようこそ
};

// "Langues · Γλώσσες · Языки · 言語"
const char kFormCaption[] =
    "Langues \xC2\xB7 \xCE\x93\xCE\xBB\xCF\x8E\xCF\x83\xCF\x83\xCE\xB5\xCF\x82 \xC2\xB7 "
    "\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB8 \xC2\xB7 \xE8\xA8\x80\xE8\xAA\x9E";
// "Fermer · Κλείσιμο · Закрыть · 閉じる"
const char kClose[] =
    "Fermer \xC2\xB7 \xCE\x9A\xCE\xBB\xCE\xB5\xCE\xAF\xCF\x83\xCE\xB9\xCE\xBC\xCE\xBF \xC2\xB7 "
    "\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C \xC2\xB7 "
    "\xE9\x96\x89\xE3\x81\x98\xE3\x82\x8B";
// "Zarvik en UTF-8 · Ζάρβικ · Зарвик · ザルヴィク"
const char kTitle[] =
    "Zarvik en UTF-8 \xC2\xB7 \xCE\x96\xCE\xAC\xCF\x81\xCE\xB2\xCE\xB9\xCE\xBA \xC2\xB7 "
    "\xD0\x97\xD0\xB0\xD1\x80\xD0\xB2\xD0\xB8\xD0\xBA \xC2\xB7 "
    "\xE3\x82\xB6\xE3\x83\xAB\xE3\x83\xB4\xE3\x82\xA3\xE3\x82\xAF";

bool gFormOpen = false;
bool gFormOpenedOnce = false;

int formEvent(std::string, std::string, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event == ZK_FORMCLOSE) gFormOpen = false;
  return 0;
}

// A label and a field for each language, a list of the greetings, a button that closes and a grid
// of the languages and their greetings.
void openForm() {
  if (gFormOpen) return;
  if (gFormOpenedOnce) ZK_FormClose(kForm);
  int order = 1;
  int y = 20;
  std::string list;
  int value = 1;
  for (const Language& language : kLanguages) {
    const std::string label = "label" + std::to_string(order);
    ZK_FormItemAdd(kForm, label, ZK_STATIC, order++, 20, y, 120, 25,
                   std::string("txvpos=center;value=") + language.name);
    ZK_FormItemAdd(kForm, "field" + std::to_string(order), ZK_EDIT, order, 150, y, 230, 25,
                   std::string("value=") + language.greeting + ";remark=" + language.name);
    ++order;
    list += "value" + std::to_string(value++) + "=" + language.greeting + ";";
    y += 35;
  }
  ZK_FormItemAdd(kForm, "list", ZK_COMBOSYS, order++, 150, y, 230, 120, list);
  ZK_FormItemAdd(kForm, "close", ZK_BUTTON, order++, 20, y + 45, 360, 30,
                 std::string("button=ok;value=") + kClose);
  ZK_FormItemAdd(kForm, "grid", ZK_DATAGRID, order++, 20, y + 85, 360, 110, "");
  ZK_FormGridColumnAdd(kForm, "grid", "language", 1, 120, kLanguages[0].name, "");
  ZK_FormGridColumnAdd(kForm, "grid", "greeting", 2, 220, kLanguages[0].greeting, "");
  gFormOpen = ZK_FormCreate(kForm, std::string("modal=false;name=") + kFormCaption, 40, 80, 420,
                            440, formEvent) == 0;
  for (const Language& language : kLanguages)
    ZK_FormGridRowInsert(kForm, "grid", -1, {language.name, language.greeting});
  gFormOpenedOnce = true;
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect(kMain);
    ZK_WindowRelease();
    return 0;
  }
  const std::string command = ZK_MenuCommand("menu", message, wParam);
  if (command == "ouvrir") openForm();
  if (command == "quitter") PostQuitMessage(0);
  // The greetings of the other menus only show their texts.
  if (!command.empty()) return 0;
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const int status = ZK_WindowMainCreate(kMain, showCommand, mainProc,
                                         std::string("name=") + kTitle, 0, 0, 640, 480);
  if (status != 0) return status;
  for (const Entry& entry : kMenu)
    ZK_MenuAdd("menu", entry.name, entry.column, entry.row, entry.caption, "");
  ZK_MenuDisplay(kMain, "menu", "");
  openForm();
  return ZK_MessageLoop();
}
