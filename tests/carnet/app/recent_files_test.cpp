// Carnet's recent files in Fichier: the menu bar built again when the list changes, whoever
// changed it, and left as it is when a ledger already first in it is opened again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carnet_app.h"

namespace {

constexpr char kKey[] = "Software\\Zarvik\\Carnet";

// Fichier's entries that name a recent file ("&1 a.csv"), in order.
std::vector<std::string> recentEntries() {
  std::vector<std::string> entries;
  HMENU file = GetSubMenu(GetMenu(CarnetWindowHandle()), 0);
  for (int i = 0; i < GetMenuItemCount(file); ++i) {
    char text[MAX_PATH] = "";
    GetMenuStringA(file, static_cast<UINT>(i), text, MAX_PATH, MF_BYPOSITION);
    if (text[0] == '&' && text[1] >= '1' && text[1] <= '4') entries.emplace_back(text);
  }
  return entries;
}

// What another Carnet writes when it opens `path` after this one's list.
void writtenElsewhere(const char* value, const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>(path.size() + 1));
  RegCloseKey(key);
}

TEST(CarnetRecent, TheMenuFollowsTheListAndIsNotBuiltAgainForTheSameOne) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  if (CarnetWindowHandle() == nullptr) ASSERT_EQ(CarnetWindowCreate(SW_HIDE), 0);
  CarnetMenuBuild();
  EXPECT_TRUE(recentEntries().empty());

  struct Step {
    const char* opened;
    const char* elsewhere;  // a second entry another Carnet wrote meanwhile, or null
    bool newBar;
    std::vector<std::string> shown;
  };
  const Step steps[] = {
      {"C:\\carnets\\a.csv", nullptr, true, {"&1 a.csv"}},
      {"C:\\carnets\\b.csv", nullptr, true, {"&1 b.csv", "&2 a.csv"}},
      {"C:\\carnets\\b.csv", nullptr, false, {"&1 b.csv", "&2 a.csv"}},
      {"C:\\carnets\\b.csv", "C:\\carnets\\c.csv", true, {"&1 b.csv", "&2 c.csv"}},
      {"C:\\carnets\\a.csv", nullptr, true, {"&1 a.csv", "&2 b.csv", "&3 c.csv"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.opened);
    if (step.elsewhere != nullptr) writtenElsewhere("Recent2", step.elsewhere);
    const HMENU before = GetMenu(CarnetWindowHandle());
    CarnetRecentAdd(step.opened);
    EXPECT_EQ(GetMenu(CarnetWindowHandle()) != before, step.newBar);
    EXPECT_EQ(recentEntries(), step.shown);
    EXPECT_EQ(CarnetRecentFiles().front(), step.opened);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

}  // namespace
