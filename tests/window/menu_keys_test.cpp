// Menu shortcuts: key texts read or refused, shown at the right of their entries in the
// catalogue's language, and translated by the message loop into commands wherever the focus is,
// except where the focused control answers the key itself.
#include <vector>

#include "window_test_support.h"

namespace {

std::vector<WPARAM>& commands() {
  static std::vector<WPARAM> seen;
  return seen;
}

LRESULT CALLBACK commandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Menus and shortcuts send commands from no control; the edit's notifications come from it.
  if (message == WM_COMMAND && lParam == 0) commands().push_back(wParam);
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

// A main window whose menu has shortcuts (commands 40001...), with an edit and a button in it.
struct KeyedWindow {
  HWND main = nullptr;
  HWND edit = nullptr;
  HWND button = nullptr;

  KeyedWindow() {
    wt::answerReportsNo();
    ZK_WindowMainCreate("Main", SW_SHOWNORMAL, commandProc, "name=Touches", 0, 0, 400, 300);
    main = wt::mainHwnd();
    const char* entries[][3] = {
        {"fichier", "&Fichier", ""},
        {"enregistrer", "&Enregistrer", "key=Ctrl+S"},         // 40001
        {"copier", "&Copier", "key=Ctrl+C"},                   // 40002
        {"coller", "C&oller", "key=Ctrl+V;keyfirst=yes"},      // 40003
        {"aide", "&Aide", "key=F5"},                           // 40004
        {"grise", "&Gris\xE9", "key=Ctrl+G;enable=false"},     // 40005
        {"supprimer", "&Supprimer", "key=Ctrl+Shift+Delete"},  // 40006
    };
    int row = 1;
    for (const auto& entry : entries)
      EXPECT_EQ(ZK_MenuAdd("menu", entry[0], 1, row++, entry[1], entry[2]), ZK_OK);
    EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), ZK_OK);
    const HINSTANCE instance = ZK_WindowStateIntl().instance;
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, main, nullptr,
                           instance, nullptr);
    button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, main,
                             nullptr, instance, nullptr);
  }

  // A key pressed with the modifiers held, as the loop gets it, focus on `target`: the commands
  // it brought.
  std::vector<WPARAM> press(HWND target, int key, bool control, bool shift = false) {
    SetFocus(target);
    BYTE state[256] = {};
    if (control) state[VK_CONTROL] = 0x80;
    if (shift) state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    commands().clear();
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostQuitMessage(0);
    ZK_MessageLoop();
    BYTE none[256] = {};
    SetKeyboardState(none);
    return commands();
  }
};

std::string entryText(HWND main, int position) {
  char text[128] = {};
  GetMenuStringA(GetSubMenu(GetMenu(main), 0), static_cast<UINT>(position), text, sizeof text,
                 MF_BYPOSITION);
  return text;
}

}  // namespace

TEST(MenuKeys, KeyTextsAreReadOrRefused) {
  const struct {
    const char* text;
    int code;  // 0: refused
    int modifiers;
  } cases[] = {
      {"Ctrl+S", 'S', kKeyCtrl},
      {"ctrl + shift + s", 'S', kKeyCtrl | kKeyShift},
      {"Alt+F4", VK_F4, kKeyAlt},
      {"F12", VK_F12, 0},
      {"Shift+F1", VK_F1, kKeyShift},
      {"Delete", VK_DELETE, 0},
      {"Ctrl+Suppr", VK_DELETE, kKeyCtrl},
      {"Maj+Inser", VK_INSERT, kKeyShift},
      {"Control+PgDn", VK_NEXT, kKeyCtrl},
      {"Ctrl+0", '0', kKeyCtrl},
      {"S", 0, 0},        // would take a typed letter
      {"Shift+S", 0, 0},  // a capital
      {"Home", 0, 0},     // a field's caret
      {"Ctrl+", 0, 0},
      {"F13", 0, 0},
      {"F0", 0, 0},
      {"Ctrl+Enter", 0, 0},
      {"Hyper+S", 0, 0},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    int code = -1;
    int modifiers = -1;
    EXPECT_EQ(ZK_MenuKeyReadIntl(c.text, &code, &modifiers), c.code != 0) << c.text;
    if (c.code == 0) continue;
    EXPECT_EQ(code, c.code) << c.text;
    EXPECT_EQ(modifiers, c.modifiers) << c.text;
  }
}

TEST(MenuKeys, EntriesShowTheirKeyInTheCatalogueLanguage) {
  KeyedWindow window;
  EXPECT_EQ(entryText(window.main, 0), "&Enregistrer\tCtrl+S");
  EXPECT_EQ(entryText(window.main, 3), "&Aide\tF5");
  EXPECT_EQ(entryText(window.main, 5), "&Supprimer\tCtrl+Maj+Suppr");
  ASSERT_EQ(ZK_CatalogueLanguageSet("US"), ZK_OK);
  EXPECT_EQ(ZK_MenuDisplay("Main", "menu", ""), ZK_OK);
  EXPECT_EQ(entryText(window.main, 5), "&Supprimer\tCtrl+Shift+Del");
  // A refused key text is reported and stores nothing.
  EXPECT_EQ(ZK_MenuAdd("menu", "mauvais", 1, 9, "&Mauvais", "key=Ctrl+Enter"), ZK_ERR_MENU_KEY);
  EXPECT_EQ(wt::reported(), std::vector<int>{ZK_ERR_MENU_KEY});
  EXPECT_TRUE(ZK_MenuEntryGetIntl("menu", 1, 9).name.empty());
}

TEST(MenuKeys, ShortcutsWorkWhereverTheFocusIsButLeaveAControlItsOwnKeys) {
  KeyedWindow window;
  const WPARAM none = 0;
  const struct {
    const char* what;
    HWND target;
    int key;
    bool control;
    bool shift;
    WPARAM command;  // 0: the key is the control's
  } cases[] = {
      {"Ctrl+S in an edit", window.edit, 'S', true, false, MAKEWPARAM(40001, 1)},
      {"Ctrl+S on a button", window.button, 'S', true, false, MAKEWPARAM(40001, 1)},
      {"Ctrl+C in an edit copies", window.edit, 'C', true, false, none},
      {"Ctrl+C on a button", window.button, 'C', true, false, MAKEWPARAM(40002, 1)},
      {"Ctrl+V given on purpose", window.edit, 'V', true, false, MAKEWPARAM(40003, 1)},
      {"F5 in an edit", window.edit, VK_F5, false, false, MAKEWPARAM(40004, 1)},
      {"a greyed entry's key does nothing", window.button, 'G', true, false, none},
      {"Ctrl+Shift+Delete in an edit", window.edit, VK_DELETE, true, true, none},
      {"Ctrl+Shift+Delete on a button", window.button, VK_DELETE, true, true, MAKEWPARAM(40006, 1)},
      {"S alone types", window.edit, 'S', false, false, none},
  };
  for (const auto& c : cases) {
    const std::vector<WPARAM> seen = window.press(c.target, c.key, c.control, c.shift);
    EXPECT_EQ(seen, c.command == none ? std::vector<WPARAM>{} : std::vector<WPARAM>{c.command})
        << c.what;
  }
  EXPECT_EQ(ZK_MenuCommand("menu", WM_COMMAND, MAKEWPARAM(40001, 1)), "enregistrer");
  for (const std::string& text : support::reportTexts()) ADD_FAILURE() << text;
}
