// The menu table: every declared menu entry, keyed by menu name and position.
#include <cstdlib>

#include "foundation/foundation_intl.h"
#include "window/window_intl.h"

namespace {
ZK_MenuTable gMenus;

std::string menuKey(const std::string& menu, int column, int row) {
  return menu + "." + std::to_string(column * 100 + row);
}
}  // namespace

MenuEntry ZK_MenuEntryGetIntl(const std::string& menu, int column, int row) {
  const auto found = gMenus.find(menuKey(menu, column, row));
  return found == gMenus.end() ? MenuEntry{} : found->second;
}

void ZK_MenuEntryPutIntl(const std::string& menu, int column, int row, const MenuEntry& entry) {
  gMenus[menuKey(menu, column, row)] = entry;
}

int ZK_MenuFindIntl(const std::string& menu, std::int32_t commandId) {
  if (commandId == 0) return -1;
  for (const auto& [key, entry] : gMenus) {
    const std::string::size_type dot = key.find('.');
    if (dot == std::string::npos) continue;
    if (key.compare(0, dot, menu) == 0 && dot == menu.size() && entry.commandId == commandId) {
      return ZK_TextToIntIntl(key.substr(dot + 1), 10);
    }
  }
  return -1;
}

void ZK_MenuTableClearIntl() {
  gMenus.clear();
}

const ZK_MenuTable& ZK_MenuTableIntl() {
  return gMenus;
}
