// "Enregistrer les modifications ?" as a small modal form: the system's message box would label
// its buttons in the system's language, and these must read Oui, Non and Annuler.
#include <zarvik/zarvik.h>

#include "carnet_app.h"

namespace {

constexpr char kForm[] = "question";

struct QuestionItem {
  const char* name;
  const char* kind;
  int x;
  int y;
  int width;
  int height;
  const char* properties;
};

const QuestionItem kItems[] = {
    {"texte", ZK_STATIC, 20, 20, 300, 24, "value=Enregistrer les modifications ?;txvpos=center"},
    {"oui", ZK_BUTTON, 20, 64, 90, 28, "button=ok;value=Oui"},
    {"non", ZK_BUTTON, 125, 64, 90, 28, "value=Non"},
    {"annuler", ZK_BUTTON, 230, 64, 90, 28, "button=cancel;value=Annuler"},
};

// The close box and Escape answer Annuler, as the button does.
CarnetAnswer answer = CarnetAnswer::Cancel;

int onQuestionEvent(std::string, std::string item, std::string event, HWND dialog, UINT, WPARAM,
                    LPARAM) {
  if (event == ZK_ITEMCLIC && item == "non") {
    answer = CarnetAnswer::No;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return 1;
  }
  if (event == ZK_FORMCLOSE && item == "oui") answer = CarnetAnswer::Yes;
  return 0;
}

}  // namespace

CarnetAnswer CarnetAskSaveChanges() {
  answer = CarnetAnswer::Cancel;
  int order = 1;
  for (const QuestionItem& item : kItems)
    ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  const int status =
      ZK_FormCreate(kForm, "modal=true;stbar=false;name=Carnet", 0, 0, 350, 150, onQuestionEvent);
  // The modal run is over: forget the form so that the next question can open it again.
  ZK_FormClose(kForm);
  return status == 0 ? answer : CarnetAnswer::Cancel;
}
