// The recent files: the last four ledgers opened or saved, newest first, kept in the user's part
// of the registry so that the next run offers them in Fichier.
#include <algorithm>

#include "carnet_app.h"

namespace {

constexpr char kKey[] = "Software\\Zarvik\\Carnet";
constexpr std::size_t kKept = 4;

std::string valueName(std::size_t index) {
  return "Recent" + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> CarnetRecentFiles() {
  std::vector<std::string> paths;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return paths;
  for (std::size_t i = 0; i < kKept; ++i) {
    char path[MAX_PATH + 1] = "";
    DWORD type = 0;
    DWORD size = MAX_PATH;  // one byte kept for the end of a value stored without it
    if (RegQueryValueExA(key, valueName(i).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(path),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ || path[0] == '\0')
      break;
    paths.emplace_back(path);
  }
  RegCloseKey(key);
  return paths;
}

void CarnetRecentAdd(const std::string& given) {
  // Kept whole, so that the next run finds it from any folder.
  char full[MAX_PATH] = "";
  const DWORD length = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return;
  const std::string path(full, length);
  const std::vector<std::string> kept = CarnetRecentFiles();
  std::vector<std::string> paths = kept;
  // The same file under another case of its name is the same file on Windows.
  paths.erase(std::remove_if(paths.begin(), paths.end(),
                             [&](const std::string& other) {
                               return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                                                     other.c_str(), -1, path.c_str(),
                                                     -1) == CSTR_EQUAL;
                             }),
              paths.end());
  paths.insert(paths.begin(), path);
  if (paths.size() > kKept) paths.resize(kKept);
  // Opening the newest again changes nothing: nothing written, and no new menu bar (which costs
  // the window a new frame) unless another Carnet changed the list since it was shown.
  if (paths == kept) {
    CarnetMenuRecentUpdate();
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  for (std::size_t i = 0; i < paths.size(); ++i)
    RegSetValueExA(key, valueName(i).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(paths[i].c_str()),
                   static_cast<DWORD>(paths[i].size() + 1));
  RegCloseKey(key);
  CarnetMenuBuild();
}
