// A form's dialog and its item controls tell their names to whoever asks them with ZK_NAME_QUERY,
// for an item of every kind and the grid, and other windows nothing; the asker's deletion frees the
// atom, and the event procedure never sees the question. (tests/e2e asks from another process.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "form_test_host.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

UINT query() {
  return RegisterWindowMessageA(ZK_NAME_QUERY);
}

int questionsSeen = 0;
int countQuestions(std::string, std::string, std::string, HWND, UINT message, WPARAM, LPARAM) {
  if (message == query()) ++questionsSeen;
  return 0;
}

// What the window answers about itself, as the asker reads it: the atom's text after the
// window's handle, "-" for no answer. The atom is deleted, as the asker must.
std::string askedName(HWND window) {
  const ATOM atom = static_cast<ATOM>(SendMessageA(window, query(), 0, 0));
  if (atom == 0) return "-";
  char text[256] = {};
  GlobalGetAtomNameA(atom, text, sizeof text);
  EXPECT_EQ(GlobalDeleteAtom(atom), 0) << text;
  // Nobody else holds it: gone once deleted.
  EXPECT_EQ(GlobalFindAtomA(text), 0) << text;
  char handle[16];
  std::snprintf(handle, sizeof handle, "%08lX ",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window) & 0xFFFFFFFFu));
  const std::string answer = text;
  EXPECT_EQ(answer.substr(0, 9), handle);
  return answer.size() > 9 ? answer.substr(9) : answer;
}

struct Declared {
  const char* item;
  const char* kind;
  const char* properties;
};

const Declared kEveryKind[] = {
    {"titre", ZK_STATIC, "value=Fiche"},
    {"cadre", ZK_RECT, ""},
    {"nom", ZK_EDIT, ""},
    {"envoyer", ZK_BUTTONSYS, ""},
    {"fermer", ZK_BUTTON, "value=Fermer"},
    {"urgent", ZK_CHECKSYS, ""},
    {"coche", ZK_CHECK, ""},
    {"ville", ZK_COMBOSYS, "value1=Lyon"},
    {"lignes", ZK_DATAGRID, ""},
    {"cache", ZK_EDIT, "visible=false"},
};

}  // namespace

TEST(NameQuery, AFormTellsItsNameAndEachItemsWhateverItsKind) {
  Reports reports;
  Toolkit toolkit;
  int order = 0;
  for (const Declared& item : kEveryKind) {
    ++order;
    ASSERT_EQ(ZK_FormItemAdd("edit", item.item, item.kind, order, 10, 30 * order, 120, 24,
                             item.properties),
              ZK_OK);
  }
  ASSERT_EQ(ZK_FormGridColumnAdd("edit", "lignes", "montant", 1, 80, "Montant", ""), ZK_OK);
  // "edit" is also the class atom "Edit": the answer keeps its own case.
  ASSERT_EQ(ZK_FormCreate("edit", "", 10, 10, 300, 400, countQuestions), ZK_OK);
  HWND dialog = dialogOf("edit");

  EXPECT_EQ(askedName(dialog), "edit");
  for (const Declared& item : kEveryKind) {
    HWND control = controlOf("edit", item.item);
    ASSERT_NE(control, nullptr) << item.item;
    EXPECT_EQ(askedName(control), std::string("edit.") + item.item);
  }
  // No answer from the status bar or from another window.
  EXPECT_EQ(askedName(ZK_WindowLookupIntl("edit").statusBarHwnd), "-");
  EXPECT_EQ(askedName(toolkit.main()), "-");
  EXPECT_EQ(questionsSeen, 0);
  EXPECT_EQ(reports.count(), 0u);
}
