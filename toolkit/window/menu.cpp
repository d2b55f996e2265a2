// Menus: entries declared by position, the native menu bar built from them, and command ids
// turned back into entry names.
#include "window/window_intl.h"

namespace {
constexpr int kFirstCommandId = 40001;

// A drop-down that never reached the bar belongs to no window: it is destroyed before the report.
int dropDownFailure(const ZK_ContextGuard& context, HMENU dropDown) {
  return context.fail(ZK_ERR_APPEND_MENU, [&] { DestroyMenu(dropDown); });
}

// Destroys the bar a window's record names. Whether that succeeds or the bar is gone already,
// the record forgets it at once: a later step that fails must not leave a dead handle there,
// which every later display would try to destroy again.
bool destroyOldBar(const std::string& window, WindowRecord& record) {
  const bool destroyed = DestroyMenu(record.menuHandle) != 0;
  bool gone = destroyed;
  if (!destroyed) {
    const ZK_LastErrorKeep keep;
    gone = !IsMenu(record.menuHandle);
  }
  if (gone) {
    record.menuHandle = nullptr;
    ZK_WindowChangeIntl(window, [](WindowRecord& r) { r.menuHandle = nullptr; });
  }
  return destroyed;
}
}  // namespace

int ZK_MenuAdd(const std::string& menu, const std::string& entry, int column, int row,
               const std::string& caption, const std::string& properties) {
  const ZK_ContextGuard context(entry, "ZK_MenuAdd");
  if (menu.empty()) return context.fail(ZK_ERR_MENU_NAME_EMPTY);
  if (entry.empty()) return context.fail(ZK_ERR_MENU_TEXT_EMPTY);
  if (caption.empty() && entry != "-") return context.fail(ZK_ERR_MENU_NO_COMMAND);
  if (column < 1 || column > 99) return context.fail(ZK_ERR_MENU_COLUMN);
  if (row < 1 || row > 99) return context.fail(ZK_ERR_MENU_ROW);
  if (ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).hwnd == nullptr) {
    return context.fail(ZK_ERR_NO_MAIN_WINDOW);
  }
  MenuEntry added;
  const std::string key = ZK_PropertyGetIntl(ZK_KEY, properties);
  if (!key.empty() && entry != "-" &&
      !ZK_MenuKeyReadIntl(key, &added.keyCode, &added.keyModifiers)) {
    return context.fail(ZK_ERR_MENU_KEY);
  }
  added.keyFirst = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_KEYFIRST, properties));
  added.name = entry;
  added.caption = caption;
  added.enabled = !ZK_IsFalseIntl(ZK_PropertyGetIntl(ZK_ENABLE, properties));
  added.checked = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_CHECK, properties));
  ZK_MenuEntryPutIntl(menu, column, row, added);
  return context.done();
}

int ZK_MenuDisplay(const std::string& window, const std::string& menu,
                   const std::string& /*properties: none read*/) {
  const ZK_ContextGuard context("", "ZK_MenuDisplay");
  if (menu.empty()) return context.fail(ZK_ERR_MENU_NAME_EMPTY);
  WindowRecord record = ZK_WindowLookupIntl(window);
  if (record.hwnd == nullptr) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);
  if (record.menuHandle != nullptr && !destroyOldBar(window, record)) {
    return context.fail(ZK_ERR_DESTROY_MENU);
  }
  HMENU bar = CreateMenu();
  if (bar == nullptr) return context.fail(ZK_ERR_CREATE_MENU);
  ZK_WindowChangeIntl(window, [&](WindowRecord& r) {
    r.menuHandle = bar;
    r.menuName = menu;
  });

  int nextId = kFirstCommandId;
  std::vector<ZK_MenuKey> keys;
  for (int column = 1; column <= 99; ++column) {
    const MenuEntry title = ZK_MenuEntryGetIntl(menu, column, 1);
    if (title.name.empty()) break;
    HMENU dropDown = CreateMenu();
    if (dropDown == nullptr) return context.fail(ZK_ERR_CREATE_MENU);
    for (int row = 2; row <= 99; ++row) {
      MenuEntry item = ZK_MenuEntryGetIntl(menu, column, row);
      if (item.name.empty()) break;
      if (item.name == "-") {
        if (!AppendMenuA(dropDown, MF_SEPARATOR, 0, nullptr)) {
          return dropDownFailure(context, dropDown);
        }
        continue;
      }
      UINT flags = MF_STRING;
      if (!item.enabled) flags |= MF_GRAYED;
      if (item.checked) flags |= MF_CHECKED;
      // A shortcut shows at the entry's right edge, after a tab.
      std::string caption = item.caption;
      if (item.keyCode != 0) {
        caption += "\t" + ZK_MenuKeyTextIntl(item.keyCode, item.keyModifiers);
        keys.push_back({record.hwnd, item.keyCode, item.keyModifiers, nextId, item.keyFirst});
      }
      if (!AppendMenuA(dropDown, flags, static_cast<UINT_PTR>(nextId), caption.c_str())) {
        return dropDownFailure(context, dropDown);
      }
      item.commandId = nextId++;
      ZK_MenuEntryPutIntl(menu, column, row, item);
    }
    if (!AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown), title.caption.c_str())) {
      return dropDownFailure(context, dropDown);
    }
  }
  if (!SetMenu(record.hwnd, bar)) return context.fail(ZK_ERR_SET_MENU);
  ZK_MenuKeysSetIntl(record.hwnd, keys);
  return context.done();
}

std::string ZK_MenuCommand(const std::string& menu, UINT message, WPARAM wParam) {
  if (message != WM_COMMAND) return "";
  const int position = ZK_MenuFindIntl(menu, LOWORD(wParam));
  if (position == -1) return "";
  return ZK_MenuEntryGetIntl(menu, position / 100, position % 100).name;
}
