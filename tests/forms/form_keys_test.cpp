// Keyboard-first forms: Enter and Escape through the dialog manager with and without declared
// buttons, the close box, every field checked before OK with the focus on the first refused one,
// the focus put by the application, and the default button's look.
#include <gtest/gtest.h>

#include <string>

#include "form_test_host.h"
#include "item_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::Reports;
using form_test::retype;
using form_test::statusText;
using form_test::take;
using form_test::Toolkit;

constexpr char kForm[] = "fiche";

// A title, two typed fields, OK, Annuler and an ordinary button.
void open(const std::string& properties) {
  const char* items[][3] = {
      {"titre", ZK_STATIC, "value=Fiche"},
      {"nom", ZK_EDIT, "notnull=true;remark=Le nom"},
      {"montant", ZK_EDIT, "type=currency;format=999,88;remark=Le montant"},
      {"ok", ZK_BUTTON, "button=ok"},
      {"annuler", ZK_BUTTON, "button=cancel"},
      {"plus", ZK_BUTTON, "value=Plus"},
  };
  int order = 0;
  for (const auto& item : items) {
    ++order;
    ASSERT_EQ(ZK_FormItemAdd(kForm, item[0], item[1], order, 10, 30 * order, 120, 24, item[2]),
              ZK_OK);
  }
  ASSERT_EQ(ZK_FormCreate(kForm, properties, 10, 10, 300, 260, form_test::recordEvent), ZK_OK);
}

// A key pressed in a control, through the message loop and the form's dialog manager.
void press(HWND control, WPARAM key) {
  SetFocus(control);
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
  PostQuitMessage(0);
  ZK_MessageLoop();
}

void closeBox() {
  SendMessageA(dialogOf(kForm), WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace

TEST(FormKeys, EnterEscapeAndTheCloseBoxWithAndWithoutDeclaredButtons) {
  const struct {
    const char* properties;
    const char* action;  // "enter", "escape", "close"
    const char* closedBy;
    const char* event;  // an event the action raises, or ""
  } cases[] = {
      // Nothing declared: Enter and Escape do nothing; the close box closes.
      {"", "enter", "", ""},
      {"", "escape", "", ""},
      {"", "close", "CLOSE", ""},
      {"default=ok;cancel=annuler", "enter", "OK", ""},
      {"default=ok;cancel=annuler", "escape", "CANCEL", ""},
      {"default=ok;cancel=annuler", "close", "CANCEL", ""},
      // An ordinary default button is clicked; a name that is no button is left out.
      {"default=plus", "enter", "", "ITEMCLIC fiche.plus"},
      {"default=titre;cancel=nom", "escape", "", ""},
  };
  Reports reports;
  Toolkit toolkit;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.properties) + " " + c.action);
    open(c.properties);
    SetWindowTextA(controlOf(kForm, "nom"), "Dupont");
    take();
    const std::string action = c.action;
    if (action == "enter") press(controlOf(kForm, "nom"), VK_RETURN);
    if (action == "escape") press(controlOf(kForm, "nom"), VK_ESCAPE);
    if (action == "close") closeBox();
    EXPECT_EQ(ZK_FormClosedBy(kForm), c.closedBy);
    HWND dialog = dialogOf(kForm);
    EXPECT_EQ(IsWindow(dialog) != 0, std::string(c.closedBy).empty());
    bool raised = std::string(c.event).empty();
    for (const std::string& event : take()) raised = raised || event.rfind(c.event, 0) == 0;
    EXPECT_TRUE(raised) << c.event;
    if (IsWindow(dialog)) DestroyWindow(dialog);
    ZK_FormClose(kForm);
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormKeys, ADisabledCancelButtonKeepsTheFormOpen) {
  Reports reports;
  Toolkit toolkit;
  open("cancel=annuler");
  ASSERT_EQ(ZK_FormItemSet(kForm, "annuler", ZK_ENABLE, "no"), ZK_OK);
  press(controlOf(kForm, "nom"), VK_ESCAPE);
  closeBox();
  EXPECT_TRUE(IsWindow(dialogOf(kForm)));
  EXPECT_EQ(ZK_FormClosedBy(kForm), "");
  ASSERT_EQ(ZK_FormItemSet(kForm, "annuler", ZK_ENABLE, "yes"), ZK_OK);
  closeBox();
  EXPECT_EQ(ZK_FormClosedBy(kForm), "CANCEL");
}

TEST(FormKeys, OkChecksEveryFieldFirstAndFocusesTheFirstRefused) {
  Reports reports;
  Toolkit toolkit;
  open("default=ok;validate=yes");
  HWND nom = controlOf(kForm, "nom");
  HWND montant = controlOf(kForm, "montant");
  const struct {
    const char* nom;
    const char* montant;
    HWND focus;
    const char* status;
  } refusals[] = {
      {"", "abc", nom, "Saisie obligatoire"},
      {"Dupont", "abc", montant, "Saisie incorrecte"},
  };
  for (const auto& r : refusals) {
    SetWindowTextA(nom, r.nom);
    SetWindowTextA(montant, r.montant);
    press(montant, VK_RETURN);
    EXPECT_TRUE(IsWindow(dialogOf(kForm))) << r.nom;
    EXPECT_EQ(GetFocus(), r.focus) << r.nom;
    EXPECT_EQ(statusText(kForm), r.status) << r.nom;
  }
  // A click is checked as Enter is; all accepted, the fields keep their values as written.
  retype(montant, "0012,50");
  SendMessageA(controlOf(kForm, "ok"), BM_CLICK, 0, 0);
  EXPECT_EQ(ZK_FormClosedBy(kForm), "OK");
  EXPECT_EQ(ZK_FormItemGet(kForm, "montant").field.currency.units, 12u);
  EXPECT_EQ(ZK_FormItemGet(kForm, "nom").field.text, "Dupont");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormKeys, ApplicationsCheckAndFocusItems) {
  Reports reports;
  Toolkit toolkit;
  EXPECT_EQ(ZK_FormCheck(kForm), ZK_ERR_WINDOW_NOT_FOUND);
  open("");
  ASSERT_EQ(ZK_FormItemSet(kForm, "plus", ZK_ENABLE, "no"), ZK_OK);
  const struct {
    const char* form;
    const char* item;
    int status;
  } cases[] = {
      {kForm, "montant", ZK_OK},
      {kForm, "titre", ZK_ERR_ITEM_NO_FOCUS},  // a label
      {kForm, "plus", ZK_ERR_ITEM_NO_FOCUS},   // disabled
      {kForm, "inconnu", ZK_ERR_ITEM_NOT_FOUND},
      {"autre", "nom", ZK_ERR_WINDOW_NOT_FOUND},
  };
  for (const auto& c : cases) EXPECT_EQ(ZK_FormItemFocus(c.form, c.item), c.status) << c.item;
  EXPECT_EQ(GetFocus(), controlOf(kForm, "montant"));
  // The required name is empty: refused, the focus on it, the form's own check without OK.
  EXPECT_EQ(ZK_FormCheck(kForm), ZK_ERR_INPUT_REFUSED);
  EXPECT_EQ(GetFocus(), controlOf(kForm, "nom"));
  EXPECT_EQ(statusText(kForm), "Saisie obligatoire");
  SetWindowTextA(controlOf(kForm, "nom"), "Dupont");
  EXPECT_EQ(ZK_FormCheck(kForm), ZK_OK);
  EXPECT_TRUE(IsWindow(dialogOf(kForm)));
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormKeys, TheDefaultButtonHasABlackEdge) {
  item_test::Reports reports;
  for (const bool isDefault : {false, true}) {
    ZK_ItemRemoveIntl(ZK_ItemKeyIntl(item_test::kForm, "ok"));
    ASSERT_EQ(ZK_FormItemAdd(item_test::kForm, "ok", ZK_BUTTON, 1, 0, 0, 80, 30, "value=OK"),
              ZK_OK);
    ZK_FormsStateIntl().formOptions[item_test::kForm].defaultItem = isDefault ? "ok" : "";
    item_test::Canvas canvas(80, 30);
    canvas.paint("ok");
    // The raised edge is light at the top and left, black only on a default button.
    for (const POINT at : {POINT{0, 15}, POINT{40, 0}})
      EXPECT_EQ(canvas.at(at.x, at.y) == RGB(0, 0, 0), isDefault) << at.x << "," << at.y;
    if (isDefault) {
      EXPECT_EQ(canvas.at(79, 15), RGB(0, 0, 0));
    }
  }
  EXPECT_EQ(reports.count(), 0u);
}
