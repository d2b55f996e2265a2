// The demonstration form "tous": one item of every kind, no event procedure of its own.
#include "demo.h"

namespace {
constexpr char kForm[] = "tous";

const DemoItem kItems[] = {
    // "Démonstrateur Formulaire Zarvik (tous)"
    {1, "titre", ZK_STATIC, 50, 10, 600, 40,
     "value=D\xE9monstrateur Formulaire Zarvik (tous);txhpos=center;txvpos=center;ftname=Arial;"
     "ftsize=16;ftbold=true;brdsize=1;brdcol=blue"},
    {2, "rectangle1", ZK_RECT, 50, 60, 600, 300, "brdsize=1;brdstyle=3DOUT"},
    {3, "edit1texte", ZK_STATIC, 60, 65, 180, 25, "value=Edit :;txvpos=center"},
    {4, "edit1", ZK_EDIT, 180, 65, 400, 25, "remark=Champ de saisie simple"},
    {5, "check1texte", ZK_STATIC, 60, 95, 180, 25, "value=CheckSys :;txvpos=center"},
    // "Case à cocher"
    {6, "check1", ZK_CHECKSYS, 180, 100, 100, 25, "check=true;remark=Case \xE0 cocher"},
    {7, "check2texte", ZK_STATIC, 400, 95, 180, 25, "value=Check :;txvpos=center"},
    {8, "check2", ZK_CHECK, 480, 100, 20, 20,
     "check=true;remark=Case \xE0 cocher ownerdraw;brdstyle=solid;brdsize=3;brdcol=black;"
     "bkcol=white;txcol=red"},
    {9, "combo1texte", ZK_STATIC, 60, 125, 180, 25, "value=ComboSys :;txvpos=center"},
    {10, "combo1", ZK_COMBOSYS, 180, 125, 100, 100,
     "remark=Combo box;value1=un;value2=deux;value3=trois"},
    {11, "bouton1texte", ZK_STATIC, 60, 155, 180, 25, "value=ButtonSys :;txvpos=center"},
    // "Bouton système - ne répond pas au clic"
    {12, "bouton1", ZK_BUTTONSYS, 180, 155, 100, 30,
     "remark=Bouton syst\xE8me - ne r\xE9pond pas au clic"},
    {13, "bouton2texte", ZK_STATIC, 400, 155, 180, 25, "value=Button :;txvpos=center"},
    {14, "bouton2", ZK_BUTTON, 480, 155, 100, 30,
     "value=Bouton;remark=Bouton ownerdraw - ne r\xE9pond pas au clic"},
    {15, "ok", ZK_BUTTON, 300, 400, 100, 30,
     "button=ok;value=OK;bkcol=green;remark=Ferme le formulaire"},
};
}  // namespace

void DemoTousFormOpen() {
  // Statuses are not looked at: the toolkit has already reported any failure.
  DemoItemsAdd(kForm, kItems);
  ZK_FormCreate(kForm, "modal=true;bkcol=lightgrey", 10, 10, 700, 500, nullptr);
  // Forgetting the form and its items lets the menu open it afresh.
  ZK_FormClose(kForm);
}
