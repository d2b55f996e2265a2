// The menu table: every declared menu entry, keyed by menu name and position.
#include "window/window_intl.h"

namespace {
std::string menuKey(const std::string& menu, int column, int row) {
  return menu + "." + std::to_string(column * 100 + row);
}
}  // namespace

MenuEntry ZK_MenuEntryGetIntl(const std::string& menu, int column, int row) {
  const ZK_MenuTable& menus = ZK_WindowStateIntl().menus;
  const auto found = menus.find(menuKey(menu, column, row));
  return found == menus.end() ? MenuEntry{} : found->second;
}

void ZK_MenuEntryPutIntl(const std::string& menu, int column, int row, const MenuEntry& entry) {
  ZK_WindowStateIntl().menus[menuKey(menu, column, row)] = entry;
}

int ZK_MenuFindIntl(const std::string& menu, std::int32_t commandId) {
  if (commandId == 0) return -1;
  for (const auto& [key, entry] : ZK_WindowStateIntl().menus) {
    const std::string::size_type dot = key.find('.');
    if (dot == std::string::npos) continue;
    if (key.compare(0, dot, menu) == 0 && dot == menu.size() && entry.commandId == commandId) {
      return ZK_TextToIntIntl(key.substr(dot + 1), 10);
    }
  }
  return -1;
}

const ZK_MenuTable& ZK_MenuTableIntl() {
  return ZK_WindowStateIntl().menus;
}
