// The system's Open and Save As dialogs, modal to the window that asks, in UTF-16 so that any file
// name reaches the program in its own code page, or is refused when it cannot.
#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "window/window_intl.h"

namespace {

// Room for a path of the longest length the system allows.
constexpr std::size_t kPathUnits = 32768;

// "Carnets (*.csv)|*.csv|Tous|*.*" as the dialog wants it: pairs of a description and its
// patterns, each ended by a null, the list by a second one; patterns joined by "," become ";"
// (";" ends a property's value). A description without patterns is left out.
std::wstring filterOf(const std::string& filter) {
  std::vector<std::string> parts;
  for (std::string::size_type start = 0;;) {
    const std::string::size_type bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::wstring list;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ',') c = ';';
    list += ZK_WideIntl(parts[i]) + L'\0' + ZK_WideIntl(patterns) + L'\0';
  }
  return list.empty() ? list : list + L'\0';
}

int ask(const char* function, bool save, const std::string& owner, const std::string& properties,
        std::string* path) {
  const ZK_ContextGuard context(owner, function);
  std::string unused;
  if (path == nullptr) path = &unused;
  int status = ZK_OK;
  HWND window = ZK_DialogOwnerIntl(owner, &status);
  if (window == nullptr) return context.fail(status);

  std::vector<wchar_t> file(kPathUnits, L'\0');
  const std::wstring start = ZK_WideIntl(*path);
  start.copy(file.data(), file.size() - 1);
  const std::wstring title = ZK_WideIntl(ZK_PropertyGetIntl(ZK_NAME, properties));
  const std::wstring filter = filterOf(ZK_PropertyGetIntl(ZK_FILTER, properties));
  std::string extension = ZK_PropertyGetIntl(ZK_EXT, properties);
  if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
  const std::wstring defaultExtension = ZK_WideIntl(extension);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
  // The current directory stays the program's: the catalogue is looked for there.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  path->clear();
  if (!chosen) {
    // No error: the user cancelled.
    if (CommDlgExtendedError() == 0) return context.done();
    return context.fail(ZK_ERR_FILE_DIALOG);
  }
  std::string narrow;
  if (!ZK_NarrowIntl(file.data(), &narrow)) return context.refuse(ZK_ERR_FILE_NAME);
  *path = narrow;
  return context.done();
}

}  // namespace

int ZK_FileOpenAsk(const std::string& owner, const std::string& properties, std::string* path) {
  return ask("ZK_FileOpenAsk", false, owner, properties, path);
}

int ZK_FileSaveAsk(const std::string& owner, const std::string& properties, std::string* path) {
  return ask("ZK_FileSaveAsk", true, owner, properties, path);
}
