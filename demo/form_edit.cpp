// The demonstration form "edit": plain, date, amount and required input fields, and the buttons
// that disable, enable, hide and show them.
#include "demo.h"

namespace {
constexpr char kForm[] = "edit";

const DemoItem kItems[] = {
    // "Démonstrateur Formulaire Zarvik (edit)"
    {1, "titre", ZK_STATIC, 50, 10, 600, 40,
     "value=D\xE9monstrateur Formulaire Zarvik (edit);txhpos=center;txvpos=center;ftname=Arial;"
     "ftsize=16;ftbold=true;brdsize=1;brdcol=blue"},
    {2, "rectangle1", ZK_RECT, 50, 60, 600, 300, "brdsize=1;brdstyle=3DOUT"},
    {3, "champ1texte", ZK_STATIC, 60, 65, 180, 25, "value=Champ de saisie :;txvpos=center"},
    {4, "champ1", ZK_EDIT, 180, 65, 400, 25, "remark=Champ de saisie simple"},
    {5, "champ2texte", ZK_STATIC, 60, 95, 180, 25, "value=Date :;txvpos=center"},
    {6, "champ2", ZK_EDIT, 180, 95, 100, 25,
     "type=date;format=dd/mm/yyyy;remark=Saisir une date valide (format jj/mm/aaaa)"},
    {7, "champ2texte2", ZK_STATIC, 300, 95, 300, 25,
     "value=Essayez de saisir 1, puis 1/1 ou une date;ftname=Arial;ftsize=10;txvpos=center"},
    {8, "champ3texte", ZK_STATIC, 60, 125, 180, 25, "value=Nombre :;txvpos=center"},
    {9, "champ3", ZK_EDIT, 180, 125, 100, 25,
     "type=currency;format=999,88;remark=Saisir un nombre (format 999,99)"},
    {10, "champ4texte", ZK_STATIC, 60, 155, 180, 25, "value=Champ de saisie :;txvpos=center"},
    // "Champ obligatoire de 10 caractères maximum"
    {11, "champ4", ZK_EDIT, 180, 155, 100, 25,
     "length=10;notnull=true;value=1234567890;remark=Champ obligatoire de 10 caract\xE8res "
     "maximum"},
    // "Case à cocher :"
    {12, "checktexte", ZK_STATIC, 60, 195, 180, 25, "value=Case \xE0 cocher :;txvpos=center"},
    // The toolkit gives a CHECKSYS control its own fixed size.
    {13, "check", ZK_CHECKSYS, 180, 200, 0, 0, "remark=Case \xE0 cocher"},
    {14, "fermer", ZK_BUTTON, 100, 400, 100, 30,
     "button=cancel;value=Fermer;txcol=white;bkcol=red;remark=Ferme le formulaire"},
    {15, "masquer", ZK_BUTTON, 380, 370, 100, 30, "value=Masquer;remark=Masque tous les champs"},
    {16, "montrer", ZK_BUTTON, 500, 370, 100, 30,
     "visible=false;value=Montrer;remark=Montre tous les champs"},
    // "Désactiver", "Désactive tous les champs"
    {17, "desactiver", ZK_BUTTON, 380, 420, 100, 30,
     "value=D\xE9sactiver;remark=D\xE9sactive tous les champs"},
    {18, "activer", ZK_BUTTON, 500, 420, 100, 30,
     "enable=false;value=Activer;remark=Active tous les champs"},
};

// The items a button switches; the labels, the title, the frame and "fermer" stay as they are.
const char* const kInputs[] = {"champ1", "champ2", "champ3", "champ4", "check"};

// Each pair has a button that switches the inputs off (itself with them) and one that switches
// them on; whichever is clicked, the "off" button follows the inputs and the "on" button gets the
// opposite, so exactly one button of each pair is usable.
struct SwitchButton {
  const char* item;
  const char* attribute;
  bool value;  // the state given to the inputs and to the "off" button
  const char* offButton;
  const char* onButton;
};

const SwitchButton kSwitches[] = {
    {"desactiver", ZK_ENABLE, false, "desactiver", "activer"},
    {"activer", ZK_ENABLE, true, "desactiver", "activer"},
    {"masquer", ZK_VISIBLE, false, "masquer", "montrer"},
    {"montrer", ZK_VISIBLE, true, "masquer", "montrer"},
};

const char* trueFalse(bool value) {
  return value ? "true" : "false";
}
}  // namespace

int DemoEditFormEvent(std::string form, std::string item, std::string event, HWND /*dialog*/,
                      UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (event != ZK_ITEMCLIC) return 0;
  for (const SwitchButton& button : kSwitches) {
    if (item != button.item) continue;
    for (const char* input : kInputs)
      ZK_FormItemSet(form, input, button.attribute, trueFalse(button.value));
    ZK_FormItemSet(form, button.offButton, button.attribute, trueFalse(button.value));
    ZK_FormItemSet(form, button.onButton, button.attribute, trueFalse(!button.value));
    break;
  }
  return 0;
}

void DemoEditFormOpen() {
  // Statuses are not looked at: the toolkit has already reported any failure.
  DemoItemsAdd(kForm, kItems);
  ZK_FormCreate(kForm, "modal=true;bkcol=lightgrey", 10, 10, 700, 550, DemoEditFormEvent);
  // The modal run is over: forget the form and its items so the menu can open it again.
  ZK_FormClose(kForm);
}
