// Menu shortcuts: a key text read into a key, shown at the right of its entry, and translated by
// the message loop into the entry's command wherever the focus is in the menu's window or its
// modeless forms, except where the focused control answers the key itself.
#include <algorithm>
#include <cctype>
#include <utility>

#include "window/window_intl.h"

namespace {

// The catalogue's texts of the names menus show (TEXT records), and the names as built.
struct KeyName {
  int number;
  const char* builtIn;
};
constexpr KeyName kCtrlName = {7, "Ctrl"};
constexpr KeyName kShiftName = {8, "Shift"};
constexpr KeyName kAltName = {9, "Alt"};

// The keys a shortcut may name besides letters, digits and F1 to F12: the names a key text may
// use (English, and the French names of the keys) and the name shown.
struct NamedKey {
  int code;
  const char* names[3];
  KeyName shown;
  bool alone;  // a shortcut without Ctrl or Alt
};
const NamedKey kNamedKeys[] = {
    {VK_INSERT, {"INSERT", "INS", "INSER"}, {10, "Ins"}, true},
    {VK_DELETE, {"DELETE", "DEL", "SUPPR"}, {11, "Del"}, true},
    {VK_HOME, {"HOME", "ORIGINE", nullptr}, {12, "Home"}, false},
    {VK_END, {"END", "FIN", nullptr}, {13, "End"}, false},
    {VK_PRIOR, {"PAGEUP", "PGUP", nullptr}, {14, "PgUp"}, false},
    {VK_NEXT, {"PAGEDOWN", "PGDN", nullptr}, {15, "PgDn"}, false},
};

struct Modifier {
  int bit;
  const char* names[2];
};
const Modifier kModifiers[] = {
    {kKeyCtrl, {"CTRL", "CONTROL"}},
    {kKeyShift, {"SHIFT", "MAJ"}},
    {kKeyAlt, {"ALT", nullptr}},
};

// The keys a control answers itself, by its window class: an edit's clipboard, undo and
// selection keys and its caret keys, the grid's (a list view's) clipboard, insert, delete and
// moves, a combo box's moves and drop-down. `with` must all be down, `without` all up.
struct NeededKey {
  const char* controlClass;
  int code;
  int with;
  int without;
};
constexpr int kCtrlOnly = kKeyCtrl;
const NeededKey kNeeded[] = {
    {"Edit", 'A', kCtrlOnly, kKeyAlt},
    {"Edit", 'C', kCtrlOnly, kKeyAlt},
    {"Edit", 'V', kCtrlOnly, kKeyAlt},
    {"Edit", 'X', kCtrlOnly, kKeyAlt},
    {"Edit", 'Z', kCtrlOnly, kKeyAlt},
    {"Edit", 'Y', kCtrlOnly, kKeyAlt},
    {"Edit", VK_INSERT, 0, kKeyAlt},
    {"Edit", VK_DELETE, 0, kKeyAlt},
    {"Edit", VK_HOME, 0, kKeyAlt},
    {"Edit", VK_END, 0, kKeyAlt},
    {"SysListView32", 'A', kCtrlOnly, kKeyAlt},
    {"SysListView32", 'C', kCtrlOnly, kKeyAlt},
    {"SysListView32", 'V', kCtrlOnly, kKeyAlt},
    {"SysListView32", 'X', kCtrlOnly, kKeyAlt},
    {"SysListView32", VK_INSERT, 0, kKeyAlt | kKeyCtrl},
    {"SysListView32", VK_DELETE, 0, kKeyAlt | kKeyCtrl},
    {"SysListView32", VK_HOME, 0, kKeyAlt},
    {"SysListView32", VK_END, 0, kKeyAlt},
    {"SysListView32", VK_PRIOR, 0, kKeyAlt},
    {"SysListView32", VK_NEXT, 0, kKeyAlt},
    {"SysListView32", VK_F2, 0, kKeyAlt},
    {"ComboBox", VK_HOME, 0, kKeyAlt},
    {"ComboBox", VK_END, 0, kKeyAlt},
    {"ComboBox", VK_PRIOR, 0, kKeyAlt},
    {"ComboBox", VK_NEXT, 0, kKeyAlt},
    {"ComboBox", VK_F4, 0, kKeyAlt},
};

std::string trimmed(const std::string& text) {
  const std::string::size_type first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool named(const char* const* names, std::size_t count, const std::string& word) {
  for (std::size_t i = 0; i < count; ++i)
    if (names[i] != nullptr && word == names[i]) return true;
  return false;
}

// The key of one word (already upper-cased), 0 when it is none; `alone` says whether it may go
// without Ctrl or Alt.
int keyOf(const std::string& word, bool* alone) {
  *alone = false;
  if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0]))) return word[0];
  if (word.size() >= 2 && word.size() <= 3 && word[0] == 'F' &&
      word.find_first_not_of("0123456789", 1) == std::string::npos) {
    const int number = ZK_TextToIntIntl(word.substr(1), 10);
    *alone = true;
    return number >= 1 && number <= 12 && word[1] != '0' ? VK_F1 + number - 1 : 0;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (!named(key.names, 3, word)) continue;
    *alone = key.alone;
    return key.code;
  }
  return 0;
}

int modifiersNow() {
  int modifiers = 0;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= kKeyCtrl;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= kKeyShift;
  if (GetKeyState(VK_MENU) < 0) modifiers |= kKeyAlt;
  return modifiers;
}

std::string classOf(HWND window) {
  char name[64] = "";
  if (window != nullptr) GetClassNameA(window, name, sizeof name);
  return name;
}

// The window itself, its children, and the top-level windows it owns (its modeless forms).
bool belongsTo(HWND target, HWND window) {
  if (target == nullptr) return false;
  HWND root = GetAncestor(target, GA_ROOT);
  return root == window || GetWindow(root, GW_OWNER) == window;
}

bool entryEnabled(HWND window, int commandId) {
  HMENU menu = GetMenu(window);
  if (menu == nullptr) return true;
  const UINT state = GetMenuState(menu, static_cast<UINT>(commandId), MF_BYCOMMAND);
  return state == static_cast<UINT>(-1) || (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

}  // namespace

bool ZK_MenuKeyReadIntl(const std::string& text, int* code, int* modifiers) {
  *code = 0;
  *modifiers = 0;
  std::string rest = ZK_UpperIntl(text);
  for (;;) {
    const std::string::size_type plus = rest.find('+');
    const std::string word = trimmed(rest.substr(0, plus));
    if (plus == std::string::npos) {
      bool alone = false;
      const int key = keyOf(word, &alone);
      if (key == 0 || (!alone && (*modifiers & (kKeyCtrl | kKeyAlt)) == 0)) return false;
      *code = key;
      return true;
    }
    bool known = false;
    for (const Modifier& modifier : kModifiers) {
      if (!named(modifier.names, 2, word)) continue;
      *modifiers |= modifier.bit;
      known = true;
    }
    if (!known) return false;
    rest = rest.substr(plus + 1);
  }
}

std::string ZK_MenuKeyTextIntl(int code, int modifiers) {
  std::string text;
  const auto add = [&](const KeyName& name) {
    text += ZK_CatalogueTextIntl(name.number, name.builtIn);
  };
  const std::pair<int, KeyName> shownModifiers[] = {
      {kKeyCtrl, kCtrlName}, {kKeyShift, kShiftName}, {kKeyAlt, kAltName}};
  for (const auto& [bit, name] : shownModifiers) {
    if ((modifiers & bit) == 0) continue;
    add(name);
    text += "+";
  }
  if (code >= VK_F1 && code <= VK_F12) return text + "F" + std::to_string(code - VK_F1 + 1);
  for (const NamedKey& key : kNamedKeys) {
    if (key.code != code) continue;
    add(key.shown);
    return text;
  }
  return text + static_cast<char>(code);
}

void ZK_MenuKeysSetIntl(HWND window, const std::vector<ZK_MenuKey>& keys) {
  std::vector<ZK_MenuKey>& all = ZK_WindowStateIntl().menuKeys;
  std::vector<ZK_MenuKey> kept;
  for (const ZK_MenuKey& key : all)
    if (key.window != window && IsWindow(key.window)) kept.push_back(key);
  kept.insert(kept.end(), keys.begin(), keys.end());
  all = kept;
}

bool ZK_MenuKeyNeededIntl(const std::string& controlClass, int code, int modifiers) {
  for (const NeededKey& needed : kNeeded) {
    if (needed.code != code || lstrcmpiA(needed.controlClass, controlClass.c_str()) != 0) continue;
    if ((modifiers & needed.with) == needed.with && (modifiers & needed.without) == 0) return true;
  }
  return false;
}

bool ZK_MenuKeyTranslateIntl(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  const std::vector<ZK_MenuKey>& keys = ZK_WindowStateIntl().menuKeys;
  if (keys.empty()) return false;
  const int code = static_cast<int>(message.wParam);
  // Most keys are no shortcut: the modifiers are read only for one that may be.
  const auto sameKey = [code](const ZK_MenuKey& key) { return key.code == code; };
  if (std::none_of(keys.begin(), keys.end(), sameKey)) return false;
  const int modifiers = modifiersNow();
  for (const ZK_MenuKey& key : keys) {
    if (key.code != code || key.modifiers != modifiers) continue;
    HWND window = key.window;
    if (!belongsTo(message.hwnd, window) || !IsWindowEnabled(window) || IsIconic(window)) continue;
    if (!key.first && ZK_MenuKeyNeededIntl(classOf(GetFocus()), code, modifiers)) return false;
    // A greyed entry's shortcut does nothing, as the entry does.
    if (entryEnabled(window, key.commandId))
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(key.commandId, 1), 0);
    return true;
  }
  return false;
}
