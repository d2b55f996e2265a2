// The demonstration form "static": a sample label restyled live from combo boxes, check boxes and
// an edit field.
#include <iterator>

#include "demo.h"

namespace {
constexpr char kForm[] = "static";
constexpr char kSample[] = "static1";

const DemoItem kItems[] = {
    // "Démonstrateur Formulaire Zarvik (static)"
    {1, "titre", ZK_STATIC, 50, 10, 600, 40,
     "value=D\xE9monstrateur Formulaire Zarvik (static);txhpos=center;txvpos=center;"
     "ftname=Arial;ftsize=16;ftbold=true;brdsize=1;brdcol=blue"},
    {2, "rectangle1", ZK_RECT, 50, 60, 600, 370, "brdsize=1;brdstyle=3DOUT"},
    {3, "static1", ZK_STATIC, 140, 65, 400, 50,
     "value=Exemple de champ static;brdsize=1;bkcol=white;ftname=Arial;ftsize=10"},
    {4, "police", ZK_STATIC, 60, 120, 180, 25, "value=Police;txvpos=center"},
    {5, "cbpolice", ZK_COMBOSYS, 180, 120, 160, 100,
     "value1=Arial;value2=Courier New;value3=Times New Roman;remark=Police du champ STATIC"},
    {6, "taille", ZK_STATIC, 360, 120, 130, 25, "value=Taille;txvpos=center"},
    // "Taille de la police de caractère"
    {7, "cbtaille", ZK_COMBOSYS, 500, 120, 50, 100,
     "value1=10;value2=6;value3=8;value4=12;value5=14;value6=18;value7=24;value8=36;value9=72;"
     "remark=Taille de la police de caract\xE8re"},
    {8, "grastexte", ZK_STATIC, 60, 150, 180, 25, "value=Gras;txvpos=center"},
    {9, "gras", ZK_CHECKSYS, 180, 155, 100, 100, "remark=Validez pour mettre le texte en gras"},
    {10, "italiquetexte", ZK_STATIC, 260, 150, 180, 25, "value=Italique;txvpos=center"},
    {11, "italique", ZK_CHECKSYS, 340, 155, 100, 100,
     "remark=Validez pour mettre le texte en italique"},
    // "Souligné"
    {12, "soulignetexte", ZK_STATIC, 460, 150, 180, 25, "value=Soulign\xE9;txvpos=center"},
    {13, "souligne", ZK_CHECKSYS, 540, 155, 100, 100,
     "remark=Validez pour mettre le texte en soulign\xE9"},
    {14, "couleurtexte", ZK_STATIC, 60, 180, 180, 25,
     "value=Couleur du texte;txvpos=center;txcol=blue"},
    {15, "cbcouleurtexte", ZK_COMBOSYS, 180, 180, 100, 100,
     "value1=BLACK;value2=WHITE;value3=RED;value4=BLUE;value5=GREEN;value6=YELLOW;"
     "value7=MAGENTA;value8=CYAN;value9=MAGENTA;value10=LIGHTGREY;value11=DARKGREY;"
     "remark=Couleur du texte du champ STATIC"},
    {16, "couleurfond", ZK_STATIC, 360, 180, 130, 25,
     "value=Couleur du fond;txvpos=center;txcol=white;bkcol=grey"},
    {17, "cbcouleurfond", ZK_COMBOSYS, 500, 180, 100, 100,
     "value1=WHITE;value2=BLACK;value3=RED;value4=BLUE;value5=GREEN;value6=YELLOW;"
     "value7=MAGENTA;value8=CYAN;value9=MAGENTA;value10=LIGHTGREY;value11=GREY;value12=DARKGREY;"
     "value13=-1;remark=Couleur du fond du champ STATIC"},
    {18, "horizalign", ZK_STATIC, 60, 210, 130, 25, "value=Alignement horiz.;txvpos=center"},
    {19, "cbhorizalign", ZK_COMBOSYS, 180, 210, 100, 100,
     "value1=LEFT;value2=CENTER;value3=RIGHT;remark=Alignement horizontal du texte du champ "
     "STATIC"},
    {20, "verticalign", ZK_STATIC, 360, 210, 130, 25, "value=Alignement vertic.;txvpos=center"},
    {21, "cbverticalign", ZK_COMBOSYS, 500, 210, 100, 100,
     "value1=TOP;value2=CENTER;value3=BOTTOM;remark=Alignement vertical du texte du champ STATIC"},
    {22, "taillebrd", ZK_STATIC, 60, 240, 180, 25, "value=Taille bordure;txvpos=center"},
    {23, "cbtaillebrd", ZK_COMBOSYS, 180, 240, 50, 100,
     "value1=1;value2=0;value3=2;value4=3;value5=4;value6=5;value7=6;value8=8;value9=10;"
     "value10=12;value11=16;remark=Taille de la bordure"},
    {24, "couleurbrd", ZK_STATIC, 360, 240, 130, 25, "value=Couleur bordure;txvpos=center"},
    {25, "cbcouleurbrd", ZK_COMBOSYS, 500, 240, 100, 100,
     "value1=BLACK;value2=WHITE;value3=RED;value4=BLUE;value5=GREEN;value6=YELLOW;"
     "value7=MAGENTA;value8=CYAN;value9=MAGENTA;value10=LIGHTGREY;value11=DARKGREY;"
     "remark=Couleur de la bordure"},
    {26, "stylebrd", ZK_STATIC, 60, 270, 130, 25, "value=Style bordure;txvpos=center"},
    {27, "cbstylebrd", ZK_COMBOSYS, 180, 270, 100, 100,
     "value1=SOLID;value2=3DOUT;value3=3DIN;remark=Style de la bordure"},
    {28, "textetexte", ZK_STATIC, 60, 360, 180, 25, "value=Texte du static :;txvpos=center"},
    // "Texte affiché dans le static"
    {29, "texte", ZK_EDIT, 180, 360, 400, 25,
     "value=Exemple de champ static;remark=Texte affich\xE9 dans le static"},
    {30, "fermer", ZK_BUTTON, 280, 440, 100, 30,
     "button=ok;value=Fermer;txcol=white;bkcol=red;remark=Ferme le formulaire"},
};

// Which attribute of the sample label a control changes, and on which event.
struct SampleLink {
  const char* item;
  const char* event;
  const char* attribute;
  bool fromCheck;  // the value is the check state as "true"/"false" rather than the text
};

const SampleLink kLinks[] = {
    {"cbpolice", ZK_ITEMCHG, ZK_FTNAME, false},
    {"cbtaille", ZK_ITEMCHG, ZK_FTSIZE, false},
    {"gras", ZK_ITEMCHG, ZK_FTBOLD, true},
    {"italique", ZK_ITEMCHG, ZK_FTITALIC, true},
    {"souligne", ZK_ITEMCHG, ZK_FTULINE, true},
    {"cbcouleurtexte", ZK_ITEMCHG, ZK_TXCOL, false},
    {"cbcouleurfond", ZK_ITEMCHG, ZK_BKCOL, false},
    {"cbtaillebrd", ZK_ITEMCHG, ZK_BRDSIZE, false},
    {"cbcouleurbrd", ZK_ITEMCHG, ZK_BRDCOL, false},
    {"cbstylebrd", ZK_ITEMCHG, ZK_BRDSTYLE, false},
    {"cbhorizalign", ZK_ITEMCHG, ZK_TXHPOS, false},
    {"cbverticalign", ZK_ITEMCHG, ZK_TXVPOS, false},
    // The text is taken when the focus leaves the field, not at each key.
    {"texte", ZK_ITEMEXIT, ZK_VALUE, false},
};
}  // namespace

int DemoStaticFormEvent(std::string form, std::string item, std::string event, HWND /*dialog*/,
                        UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  // Only a change or an exit of a field changes the sample: the form's every other message
  // (BEFORE comes with each) leaves at once.
  if (event != ZK_ITEMCHG && event != ZK_ITEMEXIT) return 0;
  for (const SampleLink& link : kLinks) {
    if (item != link.item || event != link.event) continue;
    const ItemRecord source = ZK_FormItemGet(form, item);
    const std::string value =
        link.fromCheck ? (source.field.checkState ? "true" : "false") : source.field.text;
    ZK_FormItemSet(form, kSample, link.attribute, value);
    break;
  }
  // 0 in every case, so that opening and closing go on as usual.
  return 0;
}

std::vector<DemoItem> DemoStaticFormItems() {
  return {std::begin(kItems), std::end(kItems)};
}

const char* DemoStaticFormProperties() {
  return "modal=true;bkcol=lightgrey";
}

void DemoStaticFormOpen() {
  // Statuses are not looked at: the toolkit has already reported any failure.
  DemoItemsAdd(kForm, kItems);
  ZK_FormCreate(kForm, DemoStaticFormProperties(), 10, 10, 700, 550, DemoStaticFormEvent);
  // Forgetting the form and its items makes the next opening start again from the table.
  ZK_FormClose(kForm);
}
