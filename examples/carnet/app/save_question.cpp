// "Enregistrer les modifications ?" as a small modal form: the system's message box would label
// its buttons in the system's language, and these must read Oui, Non and Annuler.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

constexpr char kForm[] = "question";

const std::vector<CarnetFormItem> kItems = {
    {"texte", ZK_STATIC, 20, 20, 300, 24,
     "value=Enregistrer les modifications ?;txvpos=center;ftname=Arial;ftsize=10"},
    {"oui", ZK_BUTTON, 20, 64, 90, 28, "button=ok;value=Oui;ftname=Arial;ftsize=10"},
    {"non", ZK_BUTTON, 125, 64, 90, 28, "value=Non;ftname=Arial;ftsize=10"},
    {"annuler", ZK_BUTTON, 230, 64, 90, 28, "button=cancel;value=Annuler;ftname=Arial;ftsize=10"},
};

// The close box and Escape answer Annuler, as the button does.
CarnetAnswer answer = CarnetAnswer::Cancel;

int onQuestionEvent(std::string form, std::string item, std::string event, HWND dialog,
                    UINT message, WPARAM wParam, LPARAM lParam) {
  if (CarnetPressForKey(form, event, message, wParam, lParam, "oui", "annuler")) return 1;
  const std::string clicked = CarnetClickedButton(item, event, message, wParam);
  if (clicked == "oui") answer = CarnetAnswer::Yes;
  if (clicked == "annuler") answer = CarnetAnswer::Cancel;
  if (clicked == "non") {
    answer = CarnetAnswer::No;
    // Only the close box's command closes a form that has no OK or CANCEL button pressed.
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  return 0;
}

}  // namespace

CarnetAnswer CarnetAskSaveChanges() {
  answer = CarnetAnswer::Cancel;
  const int status = CarnetModalFormRun(kForm, "modal=true;stbar=false;name=Carnet", 180, 140, 350,
                                        150, kItems, onQuestionEvent);
  return status == 0 ? answer : CarnetAnswer::Cancel;
}
